#include "net/body_decoding.h"

#include <QList>

namespace kf::net {

QByteArray charsetOf(const QByteArray &contentType) {
    const QList<QByteArray> params = contentType.split(';');
    for (qsizetype i = 1; i < params.size(); ++i) {
        const QByteArray param = params.at(i).trimmed();
        const qsizetype eq = param.indexOf('=');
        if (eq < 0 || param.left(eq).trimmed().toLower() != "charset")
            continue;
        QByteArray value = param.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2).trimmed();
        return value;
    }
    return QByteArray();
}

QString decodeBody(const QByteArray &body, const QByteArray &contentType) {
    const QByteArray charset = charsetOf(contentType).toUpper();
    if (charset == "UTF-8" || charset == "UTF8")
        return QString::fromUtf8(body);
    return QString::fromLatin1(body);
}

} // namespace kf::net
