#pragma once

#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

// A loopback stand-in for a Piwik server: it answers each API method with the reply a test
// sets (200 with an XML body, or another status) and records every request target as received.
class FakePiwik {
public:
    FakePiwik();
    ~FakePiwik();
    FakePiwik(const FakePiwik &) = delete;
    FakePiwik &operator=(const FakePiwik &) = delete;

    // "http://127.0.0.1:<port>/", the form an operator types into the URL field.
    QString baseUrl() const;

    void reply(const std::string &method, const std::string &body, int status = 200);
    // Path and query of every request, in arrival order (e.g. "/index.php?module=API&...").
    std::vector<std::string> requests() const;
    // Only the requests for one API method.
    std::vector<std::string> requestsFor(const std::string &method) const;

    // Stops listening; later requests find the port closed.
    void stop();

private:
    struct Reply {
        std::string body;
        int status = 200;
    };

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::vector<std::pair<std::string, std::string>> requests_; // method, target
};
