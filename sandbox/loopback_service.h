#pragma once

// A stand-in web service on 127.0.0.1: the demo mode's services and the tests' fixtures. It
// listens on a free port, answers on a thread of its own (the window's fetches are synchronous)
// and records every request it receives.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
} // namespace httplib

namespace sandbox {

// What the service saw of one request.
struct Request {
    std::string method; // "GET", "POST"
    std::string target; // path and query exactly as received ("/api/index.php?key=...")
    std::string path;   // decoded path
    std::vector<std::pair<std::string, std::string>> params; // decoded query (and form) values
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // The first value of a query parameter, empty when it is missing.
    std::string param(const std::string &name) const;
    bool has(const std::string &name) const;
    std::string header(const std::string &name) const; // letter case ignored
};

struct Reply {
    int status = 200;
    std::string body;
    std::string contentType = "text/xml; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> headers; // extra header lines
    int delayMs = 0; // wait this long before answering (a page that never answers in time)

    static Reply xml(std::string body) {
        return make(200, std::move(body), "text/xml; charset=utf-8");
    }
    static Reply html(std::string body) {
        return make(200, std::move(body), "text/html; charset=utf-8");
    }
    static Reply withStatus(int code, std::string body = {}) {
        return make(code, std::move(body), "text/html; charset=utf-8");
    }
    static Reply make(int code, std::string body, std::string contentType) {
        Reply reply;
        reply.status = code;
        reply.body = std::move(body);
        reply.contentType = std::move(contentType);
        return reply;
    }
};

// A handler answers the requests it knows and returns nothing for the rest; the first handler
// that answers wins, and a request no handler answers gets 404.
using Handler = std::function<std::optional<Reply>(const Request &)>;

class LoopbackService {
public:
    enum class Scheme { Http, Https };

    // Https serves a certificate made at start for 127.0.0.1 and localhost; its PEM is
    // certificatePem(), for a client to trust it (KELVARO_CA_FILE).
    explicit LoopbackService(Scheme scheme = Scheme::Http);
    ~LoopbackService();
    LoopbackService(const LoopbackService &) = delete;
    LoopbackService &operator=(const LoopbackService &) = delete;

    // Handlers added later are asked after the earlier ones; prepend() puts a test's special
    // reply in front of the regular ones.
    void handle(Handler handler);
    void prepend(Handler handler);

    // "http://127.0.0.1:PORT" or "https://127.0.0.1:PORT", without a trailing slash.
    std::string base() const;
    int port() const { return port_; }
    const std::string &certificatePem() const { return certPem_; }

    std::vector<Request> requests() const;
    std::vector<std::string> targets() const; // the request targets, in arrival order
    void clearRequests();

    // Stops listening; later requests find the port closed.
    void stop();

private:
    Scheme scheme_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::string certPem_;
    mutable std::mutex mutex_;
    std::vector<Handler> handlers_;
    std::vector<Request> requests_;
    bool stopping_ = false;
};

// A self-signed certificate for 127.0.0.1 and localhost, made with OpenSSL at run time.
struct Certificate {
    std::string certPem;
    std::string keyPem;
};
Certificate makeLoopbackCertificate(const std::string &commonName = "127.0.0.1");

// Percent-decodes a query value the way a web server does ('+' is a blank).
std::string decodeQueryValue(const std::string &text);

} // namespace sandbox
