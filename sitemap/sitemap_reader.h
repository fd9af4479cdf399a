#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUrl>

namespace kf::sitemap {

enum class SitemapKind {
    UrlSet,     // a sitemap: its addresses are pages
    Index,      // a sitemap index: its addresses are further sitemaps
    NotSitemap, // not XML, or XML of another kind (an HTML page, a feed)
};

struct SitemapContent {
    SitemapKind kind = SitemapKind::NotSitemap;
    // The loc values in document order: entities and CDATA decoded, white space trimmed,
    // relative ones resolved against the sitemap's own address.
    QStringList addresses;
    // The line at which the XML breaks off (0 when it is complete); the addresses before it
    // are kept.
    qint64 brokenAtLine = 0;
};

// Reads the text of every loc child of a url (sitemap) or sitemap (index) element, names
// matched in any letter case and in the root element's own namespace prefix, so that image
// addresses, language alternates and other extensions are left out.
SitemapContent readSitemap(const QByteArray &bytes, const QUrl &base);

} // namespace kf::sitemap
