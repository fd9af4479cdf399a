#include "net/http_client.h"
#include "tests/support/trusted_standin.h"

#include <gtest/gtest.h>

using sandbox::Reply;
using sandbox::Request;

TEST(LoopbackService, AnswersOverTrustedTlsInHandlerOrderAndRecordsRequests) {
    testing_gui::TrustedHttpsService https;
    auto &service = https.service();
    service.handle([](const Request &r) -> std::optional<Reply> {
        if (r.path != "/api/index.php")
            return std::nullopt;
        return Reply::xml("<key>" + r.param("key") + "</key>");
    });
    service.prepend([](const Request &r) -> std::optional<Reply> {
        if (r.param("key") != "special")
            return std::nullopt;
        return Reply::withStatus(500, "special");
    });

    kf::net::HttpClient client;
    const QString base = QString::fromStdString(service.base());
    EXPECT_EQ(client.fetch(base + "/api/index.php?key=gr%C3%B6%C3%9Fe"), "<key>größe</key>");
    try {
        client.fetch(base + "/api/index.php?key=special");
        ADD_FAILURE() << "a 500 reply must fail";
    } catch (const kf::net::FetchError &e) {
        EXPECT_EQ(e.statusCode(), 500);
    }
    try {
        client.fetch(base + "/elsewhere");
        ADD_FAILURE() << "an unknown path must fail";
    } catch (const kf::net::FetchError &e) {
        EXPECT_EQ(e.statusCode(), 404);
    }
    const auto targets = service.targets();
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_EQ(targets[0], "/api/index.php?key=gr%C3%B6%C3%9Fe");
}
