// Replies from broken servers: each is a failure with the fitting text, never an empty success.

#include "net/http_client.h"
#include "raw_server.h"

#include <gtest/gtest.h>

using kf::net::FetchError;
using kf::net::HttpClient;
using kf::test::RawServer;
using kf::test::ServerReply;

namespace {

// The body of a success, else the failure's text.
std::string outcome(HttpClient &client, const RawServer &server) {
    try {
        return client.fetch(QString::fromStdString(server.base() + "/")).toStdString();
    } catch (const FetchError &e) {
        return e.message().toStdString();
    }
}

RawServer::Handler always(const ServerReply &reply) {
    return [reply](const std::string &, int, int) { return reply; };
}

} // namespace

TEST(BrokenReply, CutOrUnreadableRepliesAreClosedGracefully) {
    const std::string cuts[] = {
        "HTTP/1.1 200 OK\r\n",                           // cut after the status line
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n", // cut among the header lines
        "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\nbody", // overflow
        "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\nbody",                      // negative
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\r\n", // stray CRs are no empty line
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nbody\r\n0\r\n\r\n", // bad size
        "HTTP/1.1 200 OK\r\nX-Long: " + std::string(200 * 1024, 'a') + "\r\n\r\n",      // huge line
    };
    for (const std::string &bytes : cuts) {
        RawServer server(always({bytes, ServerReply::After::Close}));
        HttpClient client;
        EXPECT_EQ(outcome(client, server), "Connection Closed Gracefully.") << bytes.substr(0, 60);
    }
}

TEST(BrokenReply, HeadDrippingInByteByByteDoesNotTimeOut) {
    RawServer server(always(
        {"HTTP/1.1 200 OK\r\nX-Slow: " + std::string(30, 'x') + "\r\nContent-Length: 2\r\n\r\nok",
         ServerReply::After::KeepOpen, 20}));
    HttpClient client;
    client.setTimeouts(2000, 300); // the whole head takes about 1.5 s, a byte every 20 ms
    EXPECT_EQ(outcome(client, server), "ok");
}

TEST(BrokenReply, ProxyConnectionCloseClosesTheConnection) {
    for (const char *header :
         {"Proxy-Connection: CLOSE\r\n", "Proxy-Connection: Keep-Alive, close\r\n"}) {
        RawServer server(always(RawServer::ok("one", header)));
        HttpClient client;
        EXPECT_EQ(outcome(client, server), "one");
        EXPECT_EQ(outcome(client, server), "one");
        EXPECT_EQ(server.connections(), 2) << header;
        EXPECT_TRUE(server.waitClosedByPeer(1, 5000));
    }
}
