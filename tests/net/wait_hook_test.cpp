// The client's wait hook: asked only while a reply is awaited, and able to give the fetch up.
#include "net/http_client.h"
#include "raw_server.h"

#include <chrono>
#include <gtest/gtest.h>

using kf::net::FetchAborted;
using kf::net::HttpClient;
using kf::test::RawServer;
using kf::test::ServerReply;

TEST(HttpClient, WaitHookIsAskedWhileAReplyIsAwaitedAndFalseGivesTheFetchUp) {
    RawServer server([](const std::string &request, int, int) {
        if (request.rfind("GET /slow ", 0) == 0) {
            ServerReply reply = RawServer::ok("slow");
            reply.dripMs = 5; // about 200 ms for the whole reply
            return reply;
        }
        if (request.rfind("GET /stuck ", 0) == 0) // the head comes, the body never does
            return ServerReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart",
                               ServerReply::After::Hang};
        return RawServer::ok("fast");
    });
    const QString base = QString::fromStdString(server.base());
    HttpClient client;
    int calls = 0;
    client.setWaitHook([&] { return ++calls < 6; });

    EXPECT_EQ(client.fetch(base + "/fast"), "fast");
    EXPECT_EQ(calls, 0); // a prompt reply never waits long enough to ask
    EXPECT_EQ(client.fetch(base + "/slow"), "slow");
    EXPECT_GE(calls, 2);
    EXPECT_LE(calls, 5);

    calls = 0;
    const auto start = std::chrono::steady_clock::now();
    try {
        client.fetch(base + "/stuck");
        ADD_FAILURE() << "the fetch was not given up";
    } catch (const FetchAborted &e) {
        EXPECT_EQ(e.message(), "Abruf abgebrochen.");
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_EQ(calls, 6);
    EXPECT_GE(ms, 250);
    EXPECT_LT(ms, 1000);
    EXPECT_TRUE(client.lastHeaders().isEmpty()); // nothing of the given-up reply counts
    EXPECT_TRUE(server.waitClosedByPeer(1, 5000));

    client.setWaitHook({});
    EXPECT_EQ(client.fetch(base + "/fast"), "fast");
}
