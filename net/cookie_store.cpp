#include "net/cookie_store.h"

#include "net/control_characters.h"

#include <QList>

#include <algorithm>
#include <curl/curl.h>
#include <limits>

namespace kf::net {

QByteArray pathOfTarget(const QByteArray &target) {
    QByteArray path = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
    if (path.isEmpty() || !path.startsWith('/'))
        path = "/";
    return path;
}

namespace {

// RFC 6265 5.1.4: the default path is the request path up to its last "/".
QByteArray defaultPath(const QByteArray &requestPath) {
    const qsizetype slash = requestPath.lastIndexOf('/');
    if (slash <= 0)
        return "/";
    return requestPath.left(slash);
}

bool pathMatches(const QByteArray &requestPath, const QByteArray &cookiePath) {
    if (requestPath == cookiePath)
        return true;
    if (!requestPath.startsWith(cookiePath))
        return false;
    return cookiePath.endsWith('/') || requestPath.at(cookiePath.size()) == '/';
}

} // namespace

void CookieStore::take(const QByteArray &setCookie, const QString &host,
                       const QByteArray &requestPath, std::time_t now) {
    const QList<QByteArray> parts = setCookie.split(';');
    const QByteArray pair = parts.value(0);
    const qsizetype eq = pair.indexOf('=');
    if (eq <= 0)
        return;
    Cookie cookie;
    cookie.name = pair.left(eq).trimmed();
    cookie.value = pair.mid(eq + 1).trimmed();
    if (cookie.name.isEmpty() || hasControlCharacter(cookie.name) ||
        hasControlCharacter(cookie.value))
        return; // such a cookie could only be sent back raw into the Cookie line

    cookie.host = host.toLower();
    cookie.path = defaultPath(requestPath);
    bool hasMaxAge = false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray attr = parts.at(i).trimmed();
        const qsizetype aeq = attr.indexOf('=');
        const QByteArray key = (aeq < 0 ? attr : attr.left(aeq)).trimmed().toLower();
        const QByteArray val = aeq < 0 ? QByteArray() : attr.mid(aeq + 1).trimmed();
        if (key == "path") {
            if (val.startsWith('/'))
                cookie.path = val;
        } else if (key == "secure") {
            cookie.secure = true;
        } else if (key == "max-age") {
            bool ok = false;
            long long seconds = val.toLongLong(&ok);
            if (!ok && val.size() > 1 &&
                std::all_of(val.begin() + 1, val.end(),
                            [](char c) { return c >= '0' && c <= '9'; }) &&
                (val.at(0) == '-' || (val.at(0) >= '0' && val.at(0) <= '9'))) {
                // Digits past the range of a number: as long, or as short, as there is.
                seconds = val.startsWith('-') ? -1 : std::numeric_limits<long long>::max();
                ok = true;
            }
            if (ok) {
                hasMaxAge = true;
                cookie.session = false;
                // A lifetime past the end of time_t lasts to its end.
                const std::time_t latest = std::numeric_limits<std::time_t>::max();
                if (seconds <= 0)
                    cookie.expires = 0;
                else if (seconds > latest - now)
                    cookie.expires = latest;
                else
                    cookie.expires = now + std::time_t(seconds);
            }
        } else if (key == "expires" && !hasMaxAge) {
            const std::time_t t = curl_getdate(val.constData(), nullptr);
            if (t != -1) {
                cookie.session = false;
                cookie.expires = t;
            }
        }
    }
    auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie &c) {
        return c.name == cookie.name && c.host == cookie.host && c.path == cookie.path;
    });
    const bool expired = !cookie.session && cookie.expires <= now;
    if (same != cookies_.end()) {
        if (expired) {
            cookies_.erase(same);
        } else {
            cookie.order = same->order; // a replaced cookie keeps its place
            *same = cookie;
        }
        return;
    }
    if (expired)
        return;
    cookie.order = nextOrder_++;
    cookies_.push_back(cookie);
}

QByteArray CookieStore::header(const QString &host, const QByteArray &requestPath, bool secure,
                               std::time_t now) {
    std::erase_if(cookies_, [now](const Cookie &c) { return !c.session && c.expires <= now; });
    const QString lowerHost = host.toLower();
    std::vector<const Cookie *> matching;
    for (const Cookie &c : cookies_) {
        if (c.host == lowerHost && pathMatches(requestPath, c.path) && (secure || !c.secure))
            matching.push_back(&c);
    }
    // RFC 6265 5.4: longer paths first, then earlier creation first.
    std::sort(matching.begin(), matching.end(), [](const Cookie *a, const Cookie *b) {
        if (a->path.size() != b->path.size())
            return a->path.size() > b->path.size();
        return a->order < b->order;
    });
    QByteArray out;
    for (const Cookie *c : matching) {
        if (!out.isEmpty())
            out += "; ";
        out += c->name + '=' + c->value;
    }
    return out;
}

} // namespace kf::net
