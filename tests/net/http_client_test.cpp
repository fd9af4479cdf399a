#include "net/http_client.h"
#include "raw_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using kf::net::FetchError;
using kf::net::HttpClient;
using kf::test::RawServer;
using kf::test::ServerReply;

namespace {

// Loopback only: no proxy from the environment may sit between the client and the servers.
const bool proxiesCleared = [] {
    for (const char *name :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(name);
    return true;
}();

const std::string kHeaders = "Accept: text/html, */*\r\n"
                             "Accept-Encoding: identity\r\n"
                             "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";

QString q(const std::string &s) {
    return QString::fromStdString(s);
}

RawServer::Handler always(const ServerReply &reply) {
    return [reply](const std::string &, int, int) { return reply; };
}

// Runs fetch and returns the FetchError it must throw.
template <typename F> FetchError failure(F &&fetch) {
    try {
        fetch();
    } catch (const FetchError &e) {
        return e;
    }
    ADD_FAILURE() << "the fetch did not fail";
    return FetchError(QString());
}

std::string lastLine(const std::string &request) {
    // The last header line before the empty line.
    const std::string head = request.substr(0, request.size() - 4);
    return head.substr(head.rfind("\r\n") + 2);
}

} // namespace

TEST(HttpClient, SendsExactlyTheIndyRequestForm) {
    RawServer server(always(RawServer::ok("hello")));
    ASSERT_TRUE(server.listening());
    HttpClient client;
    EXPECT_EQ(client.fetch(q(server.base() + "/index.php?module=API&x=1")), "hello");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], "GET /index.php?module=API&x=1 HTTP/1.1\r\n"
                           "Host: 127.0.0.1:" +
                               std::to_string(server.port()) + "\r\n" + kHeaders + "\r\n");
}

TEST(HttpClient, HostOnPort80IsBare) {
    RawServer server(always(RawServer::ok("eighty")), "127.0.0.1", 80);
    if (!server.listening())
        GTEST_SKIP() << "port 80 cannot be bound here; the rule is covered by NetUrl tests";
    HttpClient client;
    EXPECT_EQ(client.fetch("http://127.0.0.1/"), "eighty");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n" + kHeaders + "\r\n");
}

TEST(HttpClient, PathGoesOutAsBuiltWithBlanksAndNonAsciiEncoded) {
    RawServer server(always(RawServer::ok("x")));
    HttpClient client;
    client.fetch(q(server.base()) +
                 QStringLiteral("/a b/größe/../%41?k=größe&v=\"{}|^`<>\\'*!$,;:@~"));
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string first = server.requests()[0].substr(0, server.requests()[0].find("\r\n"));
    EXPECT_EQ(
        first,
        "GET /a%20b/gr%C3%B6%C3%9Fe/../%41?k=gr%C3%B6%C3%9Fe&v=\"{}|^`<>\\'*!$,;:@~ HTTP/1.1");
}

TEST(HttpClient, ReusesTheConnectionAndClosesItOnAnotherHost) {
    RawServer first(always(RawServer::ok("one")));
    RawServer second(always(RawServer::ok("two")));
    HttpClient client;
    EXPECT_EQ(client.fetch(q(first.base() + "/a")), "one");
    EXPECT_EQ(client.fetch(q(first.base() + "/b")), "one");
    EXPECT_EQ(first.connections(), 1);
    EXPECT_EQ(first.requests().size(), 2u);
    EXPECT_EQ(first.closedByPeer(), 0);
    EXPECT_EQ(client.fetch(q(second.base() + "/c")), "two");
    EXPECT_TRUE(first.waitClosedByPeer(1, 5000)) << "the first connection stayed open";
    EXPECT_EQ(client.fetch(q(second.base() + "/d")), "two");
    EXPECT_EQ(second.connections(), 1);
    // "localhost" is another host than "127.0.0.1", though on the same server.
    EXPECT_EQ(client.fetch(QStringLiteral("http://localhost:%1/e").arg(second.port())), "two");
    EXPECT_TRUE(second.waitClosedByPeer(1, 5000));
    EXPECT_EQ(second.connections(), 2);
}

TEST(HttpClient, ConnectionCloseAndStaleConnectionsOpenANewOne) {
    RawServer server([](const std::string &, int connection, int) {
        if (connection == 0)
            return RawServer::ok("closing", "Connection: close\r\n");
        if (connection == 1)
            return ServerReply{RawServer::ok("idle-closed").bytes, ServerReply::After::Close};
        return RawServer::ok("third");
    });
    HttpClient client;
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "closing");
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "idle-closed");
    // The server closed its side without saying so: the next fetch still works.
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "third");
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "third");
    EXPECT_EQ(server.connections(), 3);
}

TEST(HttpClient, CookiesGoBackToTheSameHostOnly) {
    RawServer server([](const std::string &request, int, int) {
        if (request.find("GET /login") == 0)
            return RawServer::ok("in", "Set-Cookie: PIWIK_SESSID=abc123; path=/; HttpOnly\r\n"
                                       "Set-Cookie: lang=de; Path=/admin\r\n");
        return RawServer::ok("page");
    });
    HttpClient client;
    client.fetch(q(server.base() + "/login"));
    client.fetch(q(server.base() + "/index.php"));
    client.fetch(q(server.base() + "/admin/x"));
    client.fetch(QStringLiteral("http://localhost:%1/index.php").arg(server.port()));
    const auto r = server.requests();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].find("Cookie"), std::string::npos);
    EXPECT_EQ(lastLine(r[1]), "Cookie: PIWIK_SESSID=abc123");
    EXPECT_EQ(r[1].substr(r[1].find("\r\n") + 2),
              "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n" + kHeaders +
                  "Cookie: PIWIK_SESSID=abc123\r\n\r\n");
    EXPECT_EQ(lastLine(r[2]), "Cookie: lang=de; PIWIK_SESSID=abc123");
    EXPECT_EQ(r[3].find("Cookie"), std::string::npos) << "cookie sent to another host";

    // Another client has its own cookie store.
    HttpClient crawler(HttpClient::Transport::PlainOnly);
    crawler.fetch(q(server.base() + "/index.php"));
    EXPECT_EQ(server.requests().back().find("Cookie"), std::string::npos);
}

TEST(HttpClient, RedirectIsNotFollowed) {
    RawServer server(always({"HTTP/1.1 301 Moved Permanently\r\nLocation: /elsewhere\r\n"
                             "Content-Length: 5\r\n\r\nmoved",
                             ServerReply::After::KeepOpen}));
    HttpClient client;
    const FetchError e = failure([&] { client.fetch(q(server.base() + "/old")); });
    EXPECT_EQ(e.message(), "HTTP/1.1 301 Moved Permanently");
    EXPECT_EQ(e.statusCode(), 301);
    EXPECT_EQ(server.requests().size(), 1u);
}

// The header lines of the last reply stay readable whatever its status; a fetch that got no
// reply leaves none of an earlier one.
TEST(HttpClient, LastHeadersOfAnyReplyAndNoneAfterAFailure) {
    RawServer server(always({"HTTP/1.1 301 Moved Permanently\r\nLocation: /elsewhere\r\n"
                             "X-Robots-Tag: noindex\r\nContent-Length: 0\r\n\r\n",
                             ServerReply::After::KeepOpen}));
    HttpClient client;
    EXPECT_THROW(client.fetch(q(server.base() + "/old")), FetchError);
    const kf::net::HeaderLines headers = client.lastHeaders();
    EXPECT_TRUE(headers.contains({"Location", "/elsewhere"}));
    EXPECT_TRUE(headers.contains({"X-Robots-Tag", "noindex"}));
    EXPECT_ANY_THROW(client.fetch("Link-URL"));
    EXPECT_TRUE(client.lastHeaders().isEmpty());
}

TEST(HttpClient, LocationFailsEvenWith200) {
    RawServer server(always(RawServer::ok("x", "Location: /y\r\n")));
    HttpClient client;
    EXPECT_EQ(failure([&] { client.fetch(q(server.base() + "/")); }).statusCode(), 200);
}

TEST(HttpClient, ErrorStatusCarriesStatusLineCodeAndBody) {
    RawServer server(always({"HTTP/1.1 404 Nicht gefunden\r\nContent-Type: text/html; "
                             "charset=UTF-8\r\nContent-Length: 11\r\n\r\nfehlt: \xC3\xA4!!",
                             ServerReply::After::KeepOpen}));
    HttpClient client;
    const FetchError e = failure([&] { client.fetch(q(server.base() + "/missing")); });
    EXPECT_EQ(e.message(), "HTTP/1.1 404 Nicht gefunden");
    EXPECT_EQ(e.statusCode(), 404);
    EXPECT_EQ(e.body(), QStringLiteral("fehlt: ä!!"));
    // The client stays usable and keeps its connection.
    EXPECT_THROW(client.fetch(q(server.base() + "/missing")), FetchError);
    EXPECT_EQ(server.connections(), 1);

    RawServer old(
        always({"HTTP/1.0 500 Internal Server Error\r\n\r\nboom", ServerReply::After::Close}));
    const FetchError e500 = failure([&] { client.fetch(q(old.base() + "/")); });
    EXPECT_EQ(e500.message(), "HTTP/1.0 500 Internal Server Error");
    EXPECT_EQ(e500.body(), "boom");
}

TEST(HttpClient, DecodesUtf8CharsetElseByteForByte) {
    RawServer server([](const std::string &request, int, int) {
        if (request.find("GET /utf8") == 0)
            return RawServer::ok("\xC3\xA4", "Content-Type: text/xml; charset=utf-8\r\n");
        return RawServer::ok("\xC3\xA4", "Content-Type: text/xml\r\n");
    });
    HttpClient client;
    EXPECT_EQ(client.fetch(q(server.base() + "/utf8")), QString(QChar(0xE4)));
    EXPECT_EQ(client.fetch(q(server.base() + "/none")), QString(QChar(0xC3)) + QChar(0xA4));
}

TEST(HttpClient, ChunkedCloseDelimitedAnd204Bodies) {
    RawServer server([](const std::string &request, int, int) {
        if (request.find("GET /chunked") == 0)
            return ServerReply{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                               "5\r\nhello\r\n7\r\n, world\r\n0\r\n\r\n",
                               ServerReply::After::KeepOpen};
        if (request.find("GET /close") == 0)
            return ServerReply{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nto the end",
                               ServerReply::After::Close};
        if (request.find("GET /http10") == 0)
            return ServerReply{"HTTP/1.0 200 OK\r\n\r\nold style", ServerReply::After::Close};
        return ServerReply{"HTTP/1.1 204 No Content\r\n\r\n", ServerReply::After::KeepOpen};
    });
    HttpClient client;
    EXPECT_EQ(client.fetch(q(server.base() + "/chunked")), "hello, world");
    EXPECT_EQ(client.fetch(q(server.base() + "/close")), "to the end");
    EXPECT_EQ(client.fetch(q(server.base() + "/http10")), "old style");
    EXPECT_EQ(client.fetch(q(server.base() + "/nocontent")), "");
    EXPECT_EQ(client.fetch(q(server.base() + "/chunked")), "hello, world");
}

TEST(HttpClient, InterimContinueIsSkipped) {
    RawServer server(always({"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\n"
                             "Content-Length: 2\r\n\r\nok",
                             ServerReply::After::KeepOpen}));
    HttpClient client;
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "ok");
}

TEST(HttpClient, ServerClosingWithoutAnswer) {
    RawServer server(always({"", ServerReply::After::Close}));
    HttpClient client;
    EXPECT_EQ(failure([&] { client.fetch(q(server.base() + "/")); }).message(),
              "Connection Closed Gracefully.");
}

TEST(HttpClient, RefusedPortIsASocketError) {
    int port;
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
        port = ntohs(addr.sin_port);
        ::close(fd); // bound, never listening: nobody accepts on this port
    }
    HttpClient client;
    const FetchError e =
        failure([&] { client.fetch(QStringLiteral("http://127.0.0.1:%1/").arg(port)); });
    EXPECT_EQ(e.message(), "Socket Error # 111\r\nConnection refused");
    EXPECT_EQ(e.statusCode(), 0);
    // Usable afterwards.
    RawServer server(always(RawServer::ok("back")));
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "back");
}

TEST(HttpClient, ResetAndUnresolvableHostAreSocketErrors) {
    RawServer server(always({"", ServerReply::After::Reset}));
    HttpClient client;
    EXPECT_EQ(failure([&] { client.fetch(q(server.base() + "/")); }).message(),
              "Socket Error # 104\r\nConnection reset by peer");
    client.setTimeouts(3000, 3000);
    const FetchError e = failure([&] { client.fetch("http://no-such-host.invalid/"); });
    EXPECT_TRUE(e.message().startsWith("Socket Error # ")) << e.what();
    EXPECT_TRUE(e.message().contains("\r\n")) << e.what();
    std::printf("unresolvable host: %s\n", e.what());
}

TEST(HttpClient, StallTimesOutAndClientStaysUsable) {
    RawServer silent(always({"", ServerReply::After::Hang}));
    RawServer halfway(
        always({"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", ServerReply::After::Hang}));
    HttpClient client;
    client.setTimeouts(2000, 300);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(failure([&] { client.fetch(q(silent.base() + "/")); }).message(), "Read timed out.");
    EXPECT_EQ(failure([&] { client.fetch(q(halfway.base() + "/")); }).message(), "Read timed out.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(halfway.waitClosedByPeer(1, 5000));
    RawServer server(always(RawServer::ok("fine")));
    EXPECT_EQ(client.fetch(q(server.base() + "/")), "fine");
}

TEST(HttpClient, CredentialsAnswerA401) {
    RawServer server([](const std::string &request, int, int) {
        if (request.find("/open") != std::string::npos)
            return RawServer::ok("open");
        if (request.find("Authorization: Basic dXNlcjpzZWNyZXQ=\r\n") != std::string::npos)
            return RawServer::ok("welcome");
        return ServerReply{"HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic "
                           "realm=\"piwik\"\r\nContent-Length: 4\r\n\r\ndeny",
                           ServerReply::After::KeepOpen};
    });
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.port());
    HttpClient client;
    EXPECT_EQ(client.fetch(q("http://user:secret@" + hostPort + "/data")), "welcome");
    auto r = server.requests();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].find("Authorization"), std::string::npos);
    EXPECT_EQ(r[1], "GET /data HTTP/1.1\r\nHost: " + hostPort + "\r\n" + kHeaders +
                        "Authorization: Basic dXNlcjpzZWNyZXQ=\r\n\r\n");

    // Without credentials, or with an empty password, a 401 fails at once.
    FetchError e = failure([&] { client.fetch(q("http://" + hostPort + "/data")); });
    EXPECT_EQ(e.message(), "HTTP/1.1 401 Unauthorized");
    EXPECT_EQ(e.body(), "deny");
    EXPECT_THROW(client.fetch(q("http://user:@" + hostPort + "/data")), FetchError);
    EXPECT_EQ(server.requests().size(), 4u);

    // Wrong credentials: the request is repeated at most 3 times.
    e = failure([&] { client.fetch(q("http://user:wrong@" + hostPort + "/data")); });
    EXPECT_EQ(e.statusCode(), 401);
    EXPECT_EQ(server.requests().size(), 8u);
}

TEST(HttpClient, LoopbackNeverGoesThroughAProxy) {
    RawServer server(always(RawServer::ok("direct")));
    ::setenv("http_proxy", "http://127.0.0.1:1", 1); // a proxy that would refuse every request
    HttpClient client;
    const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
    EXPECT_EQ(client.fetch(url), QStringLiteral("direct"));
    ::unsetenv("http_proxy");
}

TEST(HttpClient, CrawlerClientHasNoTls) {
    HttpClient crawler(HttpClient::Transport::PlainOnly);
    EXPECT_EQ(failure([&] { crawler.fetch("https://127.0.0.1:1/sitemap.xml"); }).message(),
              "IOHandler value is not valid");
    EXPECT_EQ(failure([&] { crawler.fetch("gopher://x/"); }).message(), "Unknown Protocol");
    RawServer server(always(RawServer::ok("<urlset/>")));
    EXPECT_EQ(crawler.fetch(q(server.base() + "/sitemap.xml")), "<urlset/>");
}

TEST(HttpClient, UnknownProtocol) {
    HttpClient client;
    EXPECT_EQ(failure([&] { client.fetch("ftp://example.com/file"); }).message(),
              "Unknown Protocol");
    EXPECT_EQ(failure([&] { client.fetch("www.example.com/index.html"); }).message(),
              "Unknown Protocol");
}

// TLS: a certificate made at test time, trusted through KELVARO_CA_FILE.
class HttpClientTls : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        trusted = new kf::test::TestCertificate(kf::test::makeCertificate("Kelvaro test CA"));
        untrusted = new kf::test::TestCertificate(kf::test::makeCertificate("Stranger"));
        QFile file(dir->filePath("ca.pem"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(trusted->certPem.c_str());
        file.close();
        qputenv("KELVARO_CA_FILE", QFile::encodeName(file.fileName()));
        trustedCtx = kf::test::makeServerContext(*trusted);
        untrustedCtx = kf::test::makeServerContext(*untrusted);
    }
    static void TearDownTestSuite() {
        qunsetenv("KELVARO_CA_FILE");
        SSL_CTX_free(trustedCtx);
        SSL_CTX_free(untrustedCtx);
        delete trusted;
        delete untrusted;
        delete dir;
    }
    static inline QTemporaryDir *dir = nullptr;
    static inline kf::test::TestCertificate *trusted = nullptr;
    static inline kf::test::TestCertificate *untrusted = nullptr;
    static inline SSL_CTX *trustedCtx = nullptr;
    static inline SSL_CTX *untrustedCtx = nullptr;
};

TEST_F(HttpClientTls, FetchesOverVerifiedTlsWithHostAndPort) {
    RawServer server(always(RawServer::ok("secure", "Content-Type: text/xml; charset=UTF-8\r\n")),
                     "127.0.0.1", 0, trustedCtx);
    HttpClient client;
    const std::string url = "https://localhost:" + std::to_string(server.port());
    EXPECT_EQ(client.fetch(q(url + "/index.php?x=1")), "secure");
    EXPECT_EQ(client.fetch(q(url + "/again")), "secure");
    EXPECT_EQ(server.connections(), 1);
    const auto r = server.requests();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], "GET /index.php?x=1 HTTP/1.1\r\nHost: localhost:" +
                        std::to_string(server.port()) + "\r\n" + kHeaders + "\r\n");
    // The IP literal is in the certificate too.
    EXPECT_EQ(client.fetch(q(server.base() + "/ip")), "secure");
}

TEST_F(HttpClientTls, DefaultPort443SendsHostWithColon443) {
    RawServer server(always(RawServer::ok("443")), "127.0.0.1", 443, trustedCtx);
    if (!server.listening())
        GTEST_SKIP() << "port 443 cannot be bound here; the rule is covered by NetUrl tests";
    HttpClient client;
    EXPECT_EQ(client.fetch("https://localhost/api"), "443");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /api HTTP/1.1\r\nHost: localhost:443\r\n" + kHeaders + "\r\n");
}

TEST_F(HttpClientTls, UntrustedCertificateFails) {
    RawServer bad(always(RawServer::ok("should not arrive")), "127.0.0.1", 0, untrustedCtx);
    RawServer good(always(RawServer::ok("good")), "127.0.0.1", 0, trustedCtx);
    HttpClient client;
    const FetchError e = failure([&] { client.fetch(q(bad.base() + "/")); });
    EXPECT_TRUE(e.message().startsWith("TLS certificate verification failed")) << e.what();
    EXPECT_TRUE(bad.requests().empty());
    EXPECT_EQ(client.fetch(q(good.base() + "/")), "good");

    // Without the extra bundle even the test's own certificate does not verify.
    const QByteArray saved = qgetenv("KELVARO_CA_FILE");
    qunsetenv("KELVARO_CA_FILE");
    HttpClient fresh;
    EXPECT_THROW(fresh.fetch(q(good.base() + "/")), FetchError);
    // The client that already trusted it re-checks too: the trust changed.
    EXPECT_THROW(client.fetch(q(good.base() + "/")), FetchError);
    qputenv("KELVARO_CA_FILE", saved);
    EXPECT_EQ(client.fetch(q(good.base() + "/")), "good");
}

TEST_F(HttpClientTls, PlainHttpAgainstTlsServerAndTlsAgainstPlainFail) {
    RawServer plain(always(RawServer::ok("plain")));
    HttpClient client;
    client.setTimeouts(500, 500); // the plain server waits for a request: the handshake stalls
    const FetchError e =
        failure([&] { client.fetch(QStringLiteral("https://127.0.0.1:%1/").arg(plain.port())); });
    EXPECT_TRUE(e.message().startsWith("TLS handshake failed")) << e.what();
    // A TLS server sends no HTTP: a plain request to it fails too.
    RawServer tls(always(RawServer::ok("tls")), "127.0.0.1", 0, trustedCtx);
    EXPECT_THROW(client.fetch(QStringLiteral("http://127.0.0.1:%1/").arg(tls.port())), FetchError);
    EXPECT_EQ(client.fetch(q(plain.base() + "/")), "plain");
}

TEST(HttpClient, FormPostUsesTheGetRequestFormWithABody) {
    RawServer server(always(RawServer::ok("posted")));
    HttpClient client;
    EXPECT_EQ(client.post(q(server.base() + "/index.php?module=API"), "token_auth=abc"), "posted");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "POST /index.php?module=API HTTP/1.1\r\n"
                                    "Host: 127.0.0.1:" +
                                        std::to_string(server.port()) + "\r\n" + kHeaders +
                                        "Content-Type: application/x-www-form-urlencoded\r\n"
                                        "Content-Length: 14\r\n\r\ntoken_auth=abc");
}
