#pragma once

#include "text/error.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <memory>

namespace kf::net {

// A failed fetch. For an HTTP status outside 2xx (or an unfollowed redirect) the message is the
// status line as received ("HTTP/1.1 404 Not Found"), with the code and the decoded body;
// for transport failures the message is the failure text and the code is 0.
class FetchError : public Error {
public:
    FetchError(const QString &message, int statusCode = 0, const QString &body = QString())
        : Error(message), statusCode_(statusCode), body_(body) {}
    int statusCode() const { return statusCode_; }
    const QString &body() const { return body_; }

private:
    int statusCode_;
    QString body_;
};

// A fetch given up because the client's wait hook asked for it: nothing of its reply counts.
class FetchAborted : public FetchError {
public:
    FetchAborted() : FetchError(QStringLiteral("Abruf abgebrochen.")) {}
};

// Header lines of a reply as received: name and value, in their order.
using HeaderLines = QList<QPair<QByteArray, QByteArray>>;

// One synchronous HTTP/1.1 client (GET, and a form POST for servers that want one). It keeps its
// cookie store and at most one open connection between fetches for as long as it lives.
class HttpClient {
public:
    enum class Transport { PlainAndTls, PlainOnly };

    explicit HttpClient(Transport transport = Transport::PlainAndTls);
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    // Returns the decoded body of a 2xx reply; throws FetchError otherwise.
    QString fetch(const QString &url);
    // The same GET, returning the body as received, undecoded (lastHeaders() has its
    // Content-Type): for replies that are data, not text.
    QByteArray fetchBytes(const QString &url);
    // The same request form as a POST to url, with formBody as an
    // application/x-www-form-urlencoded body; the same reply rules.
    QString post(const QString &url, const QByteArray &formBody);

    // The header lines of the last fetch's final reply, whatever its status (a 301 keeps its
    // Location); empty when that fetch got no complete reply head.
    HeaderLines lastHeaders() const;

    // Connect and stall time-outs in milliseconds (30 s and 60 s unless changed, e.g. by tests).
    void setTimeouts(int connectMs, int stallMs);

    // Called about every 50 ms while a transfer waits for the network (a reply that comes
    // sooner never sees it); when it returns false the transfer is given up and the fetch fails
    // with FetchAborted. An empty function, the default, lets every transfer wait undisturbed.
    void setWaitHook(std::function<bool()> hook);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace kf::net
