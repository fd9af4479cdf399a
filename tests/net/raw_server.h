#pragma once

// A loopback test server that records the exact request bytes, counts connections and answers
// with scripted bytes, over plain TCP or TLS (OpenSSL).

#include "sandbox/loopback_service.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <openssl/ssl.h>
#include <string>
#include <thread>
#include <vector>

namespace kf::test {

struct ServerReply {
    enum class After { KeepOpen, Close, Hang, Reset }; // Reset: close with a TCP RST
    std::string bytes;                                 // sent as they are
    After after = After::KeepOpen;
    int dripMs = 0; // > 0: the bytes go out one at a time, this far apart
};

class RawServer {
public:
    // connection counts from 0 in accept order, request from 0 within the connection.
    using Handler =
        std::function<ServerReply(const std::string &request, int connection, int request_)>;

    // Listens on address:port (port 0: any free port). tls (not owned) makes it a TLS server.
    explicit RawServer(Handler handler, const std::string &address = "127.0.0.1", int port = 0,
                       SSL_CTX *tls = nullptr);
    ~RawServer();
    RawServer(const RawServer &) = delete;
    RawServer &operator=(const RawServer &) = delete;

    bool listening() const { return listenFd_ >= 0; }
    int port() const { return port_; }
    std::string base() const; // "http://127.0.0.1:PORT" (https for TLS)

    std::vector<std::string> requests() const;
    int connections() const { return connections_.load(); }
    int closedByPeer() const { return closedByPeer_.load(); }
    // Waits up to ms until at least n connections were closed by the client.
    bool waitClosedByPeer(int n, int ms);

    // A reply with a Content-Length body.
    static ServerReply ok(const std::string &body, const std::string &extraHeaders = "");

private:
    void acceptLoop();
    void serve(int fd, int index);

    Handler handler_;
    SSL_CTX *tls_;
    std::string address_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::atomic<int> closedByPeer_{0};
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> requests_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

// A self-signed certificate for localhost and 127.0.0.1, made with the OpenSSL API.
using TestCertificate = sandbox::Certificate;
inline TestCertificate makeCertificate(const std::string &commonName) {
    return sandbox::makeLoopbackCertificate(commonName);
}
SSL_CTX *makeServerContext(const TestCertificate &cert); // caller frees with SSL_CTX_free

} // namespace kf::test
