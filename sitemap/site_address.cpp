#include "sitemap/site_address.h"

#include <QRegularExpression>

namespace kf::sitemap {

QString siteRoot(const QString &address) {
    const QString text = address.trimmed();
    // A domain without scheme: letters, digits, dots and dashes with at least one dot, a port
    // perhaps, a slash at most.
    static const QRegularExpression bareDomain(
        QStringLiteral("^[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+\\.?(:[0-9]+)?/?$"));
    if (bareDomain.match(text).hasMatch())
        return QStringLiteral("https://") +
               (text.endsWith(QLatin1Char('/')) ? text.chopped(1) : text);

    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return QString();
    if (!url.path().isEmpty() && url.path() != QLatin1String("/"))
        return QString();
    return url.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
}

QStringList sitemapsInRobotsTxt(const QString &robotsTxt, const QUrl &robotsUrl) {
    QStringList found;
    QString text = robotsTxt;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line = line.left(hash);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        if (line.left(colon).trimmed().compare(QLatin1String("sitemap"), Qt::CaseInsensitive) != 0)
            continue;
        const QString value = line.mid(colon + 1).trimmed().toString();
        if (value.isEmpty())
            continue;
        const QUrl url(value, QUrl::TolerantMode);
        found << (url.isRelative() ? robotsUrl.resolved(url).toString() : value);
    }
    return found;
}

} // namespace kf::sitemap
