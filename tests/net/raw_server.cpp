#include "raw_server.h"

#include <arpa/inet.h>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kf::test {

RawServer::RawServer(Handler handler, const std::string &address, int port, SSL_CTX *tls)
    : handler_(std::move(handler)), tls_(tls), address_(address) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::listen(fd, 16) != 0) {
        ::close(fd);
        return;
    }
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    listenFd_ = fd;
    acceptor_ = std::thread([this] { acceptLoop(); });
}

RawServer::~RawServer() {
    stop_ = true;
    if (acceptor_.joinable())
        acceptor_.join();
    for (auto &w : workers_)
        w.join();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

std::string RawServer::base() const {
    return std::string(tls_ ? "https://" : "http://") + address_ + ":" + std::to_string(port_);
}

std::vector<std::string> RawServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool RawServer::waitClosedByPeer(int n, int ms) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(ms),
                             [&] { return closedByPeer_.load() >= n; });
}

ServerReply RawServer::ok(const std::string &body, const std::string &extraHeaders) {
    return {"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
                extraHeaders + "\r\n" + body,
            ServerReply::After::KeepOpen};
}

void RawServer::acceptLoop() {
    while (!stop_) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0)
            continue;
        const int index = connections_++;
        workers_.emplace_back([this, fd, index] { serve(fd, index); });
    }
}

namespace {

size_t contentLength(const std::string &head) {
    std::string lower = head;
    for (char &c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

} // namespace

void RawServer::serve(int fd, int index) {
    timeval tv{0, 20000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    SSL *ssl = nullptr;
    if (tls_) {
        ssl = SSL_new(tls_);
        SSL_set_fd(ssl, fd);
        int rc;
        while ((rc = SSL_accept(ssl)) != 1 && !stop_) {
            const int err = SSL_get_error(ssl, rc);
            if (err != SSL_ERROR_WANT_READ && err != SSL_ERROR_WANT_WRITE)
                break;
        }
        if (rc != 1) {
            SSL_free(ssl);
            ::close(fd);
            return;
        }
    }
    // Returns >0 bytes, 0 on close by the peer, -1 on no data yet, -2 on error.
    auto readSome = [&](char *buf, int size) -> int {
        if (ssl) {
            const int n = SSL_read(ssl, buf, size);
            if (n > 0)
                return n;
            const int err = SSL_get_error(ssl, n);
            if (err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE)
                return -1;
            if (err == SSL_ERROR_ZERO_RETURN)
                return 0;
            return errno == EAGAIN ? -1 : 0;
        }
        const ssize_t n = ::recv(fd, buf, size, 0);
        if (n >= 0)
            return int(n);
        return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? -1 : 0;
    };
    auto writeAll = [&](const std::string &bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const int n =
                ssl ? SSL_write(ssl, bytes.data() + done, int(bytes.size() - done))
                    : int(::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL));
            if (n <= 0)
                return;
            done += size_t(n);
        }
    };

    std::string pending;
    int requestIndex = 0;
    bool hang = false;
    bool peerClosed = false;
    char buf[4096];
    while (!stop_) {
        const int n = readSome(buf, sizeof buf);
        if (n == 0) {
            peerClosed = true;
            break;
        }
        if (n < 0)
            continue;
        if (hang)
            continue;
        pending.append(buf, size_t(n));
        size_t end;
        bool close = false;
        while ((end = pending.find("\r\n\r\n")) != std::string::npos) {
            // A request with a body (a form POST) is whole once its Content-Length arrived.
            const size_t length = end + 4 + contentLength(pending.substr(0, end + 4));
            if (pending.size() < length)
                break;
            const std::string request = pending.substr(0, length);
            pending.erase(0, length);
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            const ServerReply reply = handler_(request, index, requestIndex++);
            if (reply.dripMs > 0) {
                for (char c : reply.bytes) {
                    writeAll(std::string(1, c));
                    std::this_thread::sleep_for(std::chrono::milliseconds(reply.dripMs));
                }
            } else {
                writeAll(reply.bytes);
            }
            if (reply.after == ServerReply::After::Reset) {
                linger hard{1, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                close = true;
                break;
            }
            if (reply.after == ServerReply::After::Close) {
                close = true;
                break;
            }
            if (reply.after == ServerReply::After::Hang) {
                hang = true;
                break;
            }
        }
        if (close)
            break;
    }
    if (ssl) {
        if (!peerClosed)
            SSL_shutdown(ssl);
        SSL_free(ssl);
    }
    ::close(fd);
    if (peerClosed) {
        std::lock_guard lock(mutex_);
        ++closedByPeer_;
        changed_.notify_all();
    }
}

SSL_CTX *makeServerContext(const TestCertificate &cert) {
    SSL_CTX *ctx = SSL_CTX_new(TLS_server_method());
    BIO *cb = BIO_new_mem_buf(cert.certPem.data(), int(cert.certPem.size()));
    X509 *x = PEM_read_bio_X509(cb, nullptr, nullptr, nullptr);
    BIO *kb = BIO_new_mem_buf(cert.keyPem.data(), int(cert.keyPem.size()));
    EVP_PKEY *k = PEM_read_bio_PrivateKey(kb, nullptr, nullptr, nullptr);
    SSL_CTX_use_certificate(ctx, x);
    SSL_CTX_use_PrivateKey(ctx, k);
    X509_free(x);
    EVP_PKEY_free(k);
    BIO_free(cb);
    BIO_free(kb);
    return ctx;
}

} // namespace kf::test
