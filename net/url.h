#pragma once

#include <QByteArray>
#include <QString>

namespace kf::net {

// The parts of a fetch URL as the fetch uses them.
struct UrlParts {
    QString scheme;   // "http" or "https", in lower case
    bool tls = false; // https
    QString user;     // from the authority part, percent-decoded
    QString password; // from the authority part, percent-decoded
    bool hasUser = false;
    QString host;      // as written (IPv6 literals keep their brackets)
    int port = 80;     // the explicit port, else 80 (http) or 443 (https)
    QByteArray target; // path and query as they go out on the request line
};

// Splits an absolute URL. Fails with FetchError "Unknown Protocol" unless the scheme is http or
// https (letter case ignored). A missing path becomes "/"; a fragment ("#...") is not sent.
UrlParts splitUrl(const QString &url);

// The value of the Host header: the host, and ":" with the port whenever the port is not 80.
QByteArray hostHeader(const UrlParts &url);

// URL bytes: blanks, control characters and characters outside ASCII are
// percent-encoded as UTF-8; every other character, "%xx" included, stays as it is.
QByteArray encodeUrlBytes(const QString &text);

} // namespace kf::net
