#pragma once

#include <QByteArray>
#include <QString>
#include <ctime>
#include <vector>

namespace kf::net {

// The in-memory cookie store of one client. A cookie is kept for the host of the request that
// set it (host-only: never sent to another host) and sent back on requests whose path matches.
class CookieStore {
public:
    // Takes the value of a Set-Cookie (or Set-Cookie2) header received for host and path.
    void take(const QByteArray &setCookie, const QString &host, const QByteArray &requestPath,
              std::time_t now);
    // The value for a Cookie header ("a=1; b=2"), empty when no cookie matches.
    QByteArray header(const QString &host, const QByteArray &requestPath, bool secure,
                      std::time_t now);
    bool empty() const { return cookies_.empty(); }

private:
    struct Cookie {
        QByteArray name;
        QByteArray value;
        QString host; // lower case
        QByteArray path;
        bool secure = false;
        bool session = true;
        std::time_t expires = 0;
        unsigned long long order = 0;
    };
    std::vector<Cookie> cookies_;
    unsigned long long nextOrder_ = 0;
};

// The path part of a request target (up to "?"), "/" when empty.
QByteArray pathOfTarget(const QByteArray &target);

} // namespace kf::net
