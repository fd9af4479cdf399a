#pragma once

#include "sandbox/loopback_service.h"

#include <QString>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A loopback stand-in for a Piwik server whose replies the test sets: it answers each API
// method with the reply set for it (200 with an XML body, or another status) and records every
// request target as received. It runs on the shared stand-in service of sandbox/.
class FakePiwik {
public:
    FakePiwik();
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
    void stop() { service_.stop(); }

private:
    mutable std::mutex mutex_;
    std::map<std::string, sandbox::Reply> replies_;
    sandbox::LoopbackService service_; // last: stopped before the replies go
};
