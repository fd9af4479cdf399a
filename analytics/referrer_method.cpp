#include "analytics/referrer_method.h"

namespace kf::analytics {

namespace {

const QString kOldMethod = QStringLiteral("method=Referers.getRefererType");
const QString kTodaysMethod = QStringLiteral("method=Referrers.getReferrerType");

// Where the old method parameter stands in the query, or -1.
qsizetype oldMethodAt(const QString &url) {
    const qsizetype question = url.indexOf(u'?');
    if (question < 0)
        return -1;
    for (qsizetype at = url.indexOf(kOldMethod, question); at >= 0;
         at = url.indexOf(kOldMethod, at + 1)) {
        const qsizetype end = at + kOldMethod.size();
        const bool starts = url[at - 1] == u'?' || url[at - 1] == u'&';
        const bool ends = end == url.size() || url[end] == u'&';
        if (starts && ends)
            return at;
    }
    return -1;
}

} // namespace

bool asksOldReferrerTypes(const QString &url) {
    return oldMethodAt(url) >= 0;
}

QString withTodaysReferrerTypes(const QString &url) {
    const qsizetype at = oldMethodAt(url);
    if (at < 0)
        return url;
    return url.left(at) + kTodaysMethod + url.mid(at + kOldMethod.size());
}

bool saysOldReferrerTypesMissing(const QString &serverMessage) {
    return serverMessage.contains(QLatin1String("getRefererType")) &&
           serverMessage.contains(QLatin1String("does not exist"), Qt::CaseInsensitive);
}

} // namespace kf::analytics
