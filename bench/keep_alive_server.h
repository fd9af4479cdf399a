#pragma once

// A loopback HTTP server that keeps every connection open and answers each request with the
// same body: what a fast service looks like to one client making requests back to back.

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace bench {

class KeepAliveServer {
public:
    explicit KeepAliveServer(const std::string &body) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const int one = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
            ::listen(fd_, 16) != 0) {
            std::perror("listen");
            std::exit(1);
        }
        socklen_t len = sizeof addr;
        ::getsockname(fd_, reinterpret_cast<sockaddr *>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        reply_ = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: " +
                 std::to_string(body.size()) + "\r\n\r\n" + body;
        acceptor_ = std::thread([this] { acceptLoop(); });
    }
    ~KeepAliveServer() {
        stop_ = true;
        acceptor_.join();
        for (auto &w : workers_)
            w.join();
        ::close(fd_);
    }
    KeepAliveServer(const KeepAliveServer &) = delete;
    KeepAliveServer &operator=(const KeepAliveServer &) = delete;

    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    void acceptLoop() {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const int c = ::accept(fd_, nullptr, nullptr);
            if (c >= 0)
                workers_.emplace_back([this, c] { serve(c); });
        }
    }
    void serve(int c) {
        const int one = 1;
        ::setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::string pending;
        char buf[8192];
        while (!stop_) {
            pollfd p{c, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            pending.append(buf, size_t(n));
            size_t end;
            while ((end = pending.find("\r\n\r\n")) != std::string::npos) {
                pending.erase(0, end + 4);
                ::send(c, reply_.data(), reply_.size(), MSG_NOSIGNAL);
            }
        }
        ::close(c);
    }

    int fd_ = -1;
    int port_ = 0;
    std::string reply_;
    std::atomic<bool> stop_{false};
    std::thread acceptor_;
    std::vector<std::thread> workers_;
};

} // namespace bench
