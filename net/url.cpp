#include "net/url.h"

#include "net/control_characters.h"
#include "net/http_client.h"

#include <QUrl>

namespace kf::net {

QByteArray encodeUrlBytes(const QString &text) {
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte <= 0x20 || byte >= 0x7F) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

namespace {

// Host, port and user name go into header lines as they stand: an address whose authority
// holds a control character, written or percent-encoded, is refused before anything is sent.
[[noreturn]] void refuseControlCharacters() {
    throw FetchError(QStringLiteral("Ungültige Adresse: sie enthält Steuerzeichen."));
}

} // namespace

UrlParts splitUrl(const QString &url) {
    UrlParts parts;
    const qsizetype schemeEnd = url.indexOf(QLatin1String("://"));
    const QString scheme = schemeEnd > 0 ? url.left(schemeEnd).toLower() : QString();
    if (scheme == QLatin1String("http")) {
        parts.port = 80;
    } else if (scheme == QLatin1String("https")) {
        parts.tls = true;
        parts.port = 443;
    } else {
        throw FetchError(QStringLiteral("Unknown Protocol"));
    }
    parts.scheme = scheme;

    const qsizetype authorityStart = schemeEnd + 3;
    qsizetype authorityEnd = url.size();
    for (qsizetype i = authorityStart; i < url.size(); ++i) {
        const QChar c = url.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('?') || c == QLatin1Char('#')) {
            authorityEnd = i;
            break;
        }
    }
    QString authority = url.mid(authorityStart, authorityEnd - authorityStart);
    if (hasControlCharacter(authority))
        refuseControlCharacters();
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = authority.left(at);
        authority = authority.mid(at + 1);
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        parts.hasUser = true;
        parts.user = QUrl::fromPercentEncoding(userInfo.left(colon).toUtf8());
        if (colon >= 0)
            parts.password = QUrl::fromPercentEncoding(userInfo.mid(colon + 1).toUtf8());
        if (hasControlCharacter(parts.user) || hasControlCharacter(parts.password))
            refuseControlCharacters();
    }

    // host[:port], where host may be a bracketed IPv6 literal.
    qsizetype portColon = -1;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close >= 0 && close + 1 < authority.size() &&
            authority.at(close + 1) == QLatin1Char(':'))
            portColon = close + 1;
    } else {
        portColon = authority.lastIndexOf(QLatin1Char(':'));
    }
    if (portColon >= 0) {
        const QString portText = authority.mid(portColon + 1);
        authority.truncate(portColon);
        if (!portText.isEmpty()) {
            bool ok = false;
            const int port = portText.toInt(&ok);
            if (!ok || port <= 0 || port > 65535)
                throw FetchError(QStringLiteral("Invalid port: ") + portText);
            parts.port = port;
        }
    }
    parts.host = authority;
    if (parts.host.isEmpty())
        throw FetchError(QStringLiteral("Host name is empty"));

    QString rest = url.mid(authorityEnd);
    const qsizetype hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        rest.truncate(hash);
    if (!rest.startsWith(QLatin1Char('/')))
        rest.prepend(QLatin1Char('/'));
    parts.target = encodeUrlBytes(rest);
    return parts;
}

QByteArray hostHeader(const UrlParts &url) {
    QByteArray host = url.host.toUtf8();
    if (url.port != 80)
        host += ':' + QByteArray::number(url.port);
    return host;
}

} // namespace kf::net
