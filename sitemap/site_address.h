#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace kf::sitemap {

// The root ("https://www.example.com") of an address that names a whole site: a host with
// nothing beyond "/" (no path, query or fragment), written with the HTTP or HTTPS scheme or as
// a bare domain (which means HTTPS). Empty for every other address, which names a sitemap.
QString siteRoot(const QString &address);

// The addresses of the "Sitemap:" lines of a robots.txt, in their order (the field name in any
// letter case, comments left out, relative ones resolved against the robots.txt's address).
QStringList sitemapsInRobotsTxt(const QString &robotsTxt, const QUrl &robotsUrl);

} // namespace kf::sitemap
