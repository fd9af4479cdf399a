#include "xovi/xovi_request.h"

#include <QtGlobal>

namespace kf::xovi {

namespace {
const char *const kDefaultEndpoint = "https://api.xovi.net/";
}

QString endpoint() {
    const QString configured = qEnvironmentVariable("KELVARO_XOVI_ENDPOINT");
    return configured.isEmpty() ? QString::fromLatin1(kDefaultEndpoint) : configured;
}

QString baseAddress() {
    return endpoint() + QStringLiteral("index.php?key=");
}

QString requestUrl(const QString &key, const QString &service, const QString &method,
                   const QString &ownParameters) {
    return baseAddress() + key + QStringLiteral("&service=") + service +
           QStringLiteral("&method=") + method + ownParameters + QStringLiteral("&format=xml");
}

} // namespace kf::xovi
