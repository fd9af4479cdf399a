#include "net/http_auth.h"

#include "net/control_characters.h"

#include <QCryptographicHash>
#include <QMap>
#include <QRandomGenerator>

namespace kf::net {

namespace {

// Parses "Digest realm="x", nonce="y", qop="auth"" into lower-case keys and unquoted values.
QMap<QByteArray, QByteArray> digestParams(const QByteArray &challenge) {
    QMap<QByteArray, QByteArray> params;
    qsizetype i = challenge.indexOf(' ');
    if (i < 0)
        return params;
    const qsizetype n = challenge.size();
    while (i < n) {
        while (i < n && (challenge.at(i) == ' ' || challenge.at(i) == ','))
            ++i;
        const qsizetype keyStart = i;
        while (i < n && challenge.at(i) != '=' && challenge.at(i) != ',')
            ++i;
        const QByteArray key = challenge.mid(keyStart, i - keyStart).trimmed().toLower();
        if (i >= n || challenge.at(i) != '=') {
            continue;
        }
        ++i;
        QByteArray value;
        if (i < n && challenge.at(i) == '"') {
            ++i;
            while (i < n && challenge.at(i) != '"') {
                if (challenge.at(i) == '\\' && i + 1 < n)
                    ++i;
                value += challenge.at(i++);
            }
            ++i;
        } else {
            const qsizetype valueStart = i;
            while (i < n && challenge.at(i) != ',')
                ++i;
            value = challenge.mid(valueStart, i - valueStart).trimmed();
        }
        if (!key.isEmpty())
            params.insert(key, value);
    }
    return params;
}

// The inside of a quoted string: a quote or backslash of a server's or the operator's text
// goes out escaped, so it cannot end the value early.
QByteArray quoted(const QByteArray &text) {
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

QByteArray md5Hex(const QByteArray &data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex();
}

QByteArray schemeOf(const QByteArray &challenge) {
    const qsizetype space = challenge.indexOf(' ');
    return (space < 0 ? challenge : challenge.left(space)).trimmed().toLower();
}

} // namespace

QByteArray authorizationFor(const QList<QByteArray> &challenges, const QByteArray &user,
                            const QByteArray &password, const QByteArray &method,
                            const QByteArray &target, int nonceCount,
                            const QByteArray &fixedCnonce) {
    QByteArray digest;
    bool basic = false;
    for (const QByteArray &c : challenges) {
        const QByteArray scheme = schemeOf(c);
        if (scheme == "digest" && digest.isEmpty())
            digest = c.trimmed();
        else if (scheme == "basic")
            basic = true;
    }
    if (!digest.isEmpty()) {
        const auto p = digestParams(digest);
        const QByteArray algorithm = p.value("algorithm", "MD5");
        if (algorithm.toUpper() == "MD5" || algorithm.toUpper() == "MD5-SESS") {
            const QByteArray realm = p.value("realm");
            const QByteArray nonce = p.value("nonce");
            // No escape makes a control character valid in a header: such a challenge, or
            // such a user name, gets no answer.
            if (hasControlCharacter(realm) || hasControlCharacter(nonce) ||
                hasControlCharacter(p.value("opaque")) || hasControlCharacter(user) ||
                hasControlCharacter(target))
                return QByteArray();
            const QByteArray cnonce =
                !fixedCnonce.isEmpty()
                    ? fixedCnonce
                    : QByteArray::number(QRandomGenerator::global()->generate64(), 16);
            const QByteArray nc = QByteArray::number(nonceCount, 16).rightJustified(8, '0');
            QByteArray ha1 = md5Hex(user + ':' + realm + ':' + password);
            if (algorithm.toUpper() == "MD5-SESS")
                ha1 = md5Hex(ha1 + ':' + nonce + ':' + cnonce);
            const QByteArray ha2 = md5Hex(method + ':' + target);
            const bool qopAuth = p.contains("qop") && p.value("qop").split(',').contains("auth");
            QByteArray response;
            if (qopAuth)
                response = md5Hex(ha1 + ':' + nonce + ':' + nc + ':' + cnonce + ":auth:" + ha2);
            else
                response = md5Hex(ha1 + ':' + nonce + ':' + ha2);
            QByteArray out = "Digest username=" + quoted(user) + ", realm=" + quoted(realm) +
                             ", nonce=" + quoted(nonce) + ", uri=" + quoted(target) +
                             ", response=\"" + response + "\"";
            if (p.contains("algorithm"))
                out += ", algorithm=" + algorithm;
            if (p.contains("opaque"))
                out += ", opaque=" + quoted(p.value("opaque"));
            if (qopAuth)
                out += ", qop=auth, nc=" + nc + ", cnonce=\"" + cnonce + "\"";
            return out;
        }
    }
    if (basic)
        return "Basic " + (user + ':' + password).toBase64();
    return QByteArray();
}

} // namespace kf::net
