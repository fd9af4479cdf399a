#include "fake_piwik.h"

FakePiwik::FakePiwik() {
    service_.handle([this](const sandbox::Request &request) -> std::optional<sandbox::Reply> {
        std::lock_guard lock(mutex_);
        const auto it = replies_.find(request.param("method"));
        if (it == replies_.end())
            return sandbox::Reply::make(404, "no such method", "text/plain");
        return it->second;
    });
}

QString FakePiwik::baseUrl() const {
    return QString::fromStdString(service_.base() + "/");
}

void FakePiwik::reply(const std::string &method, const std::string &body, int status) {
    std::lock_guard lock(mutex_);
    replies_[method] = sandbox::Reply::make(status, body, "text/xml; charset=utf-8");
}

std::vector<std::string> FakePiwik::requests() const {
    return service_.targets();
}

std::vector<std::string> FakePiwik::requestsFor(const std::string &method) const {
    std::vector<std::string> out;
    for (const sandbox::Request &request : service_.requests())
        if (request.param("method") == method)
            out.push_back(request.target);
    return out;
}
