#include "fake_piwik.h"

#include <httplib.h>

#include <chrono>

FakePiwik::FakePiwik() : server_(std::make_unique<httplib::Server>()) {
    server_->Get(".*", [this](const httplib::Request &req, httplib::Response &res) {
        const std::string method = req.get_param_value("method");
        std::lock_guard lock(mutex_);
        requests_.emplace_back(method, req.target);
        const auto it = replies_.find(method);
        if (it == replies_.end()) {
            res.status = 404;
            res.set_content("no such method", "text/plain");
            return;
        }
        res.status = it->second.status;
        res.set_content(it->second.body, "text/xml; charset=utf-8");
    });
    // One request per connection, so that stopping never waits for an idle kept-alive one.
    server_->set_keep_alive_max_count(1);
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    for (int waited = 0; !server_->is_running() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

FakePiwik::~FakePiwik() {
    stop();
}

void FakePiwik::stop() {
    if (!thread_.joinable())
        return;
    server_->stop();
    thread_.join();
}

QString FakePiwik::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/").arg(port_);
}

void FakePiwik::reply(const std::string &method, const std::string &body, int status) {
    std::lock_guard lock(mutex_);
    replies_[method] = {body, status};
}

std::vector<std::string> FakePiwik::requests() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const auto &r : requests_)
        out.push_back(r.second);
    return out;
}

std::vector<std::string> FakePiwik::requestsFor(const std::string &method) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const auto &r : requests_)
        if (r.first == method)
            out.push_back(r.second);
    return out;
}
