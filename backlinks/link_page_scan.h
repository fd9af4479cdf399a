#pragma once

#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace kf::backlinks {

// One <a href> of a page, as written.
struct PageAnchor {
    QString href;
    QString rel;
    bool hasRel = false;
    QString text;
};

// What the HTML parser found in a page that matters for a link check.
struct PageScan {
    bool hasBase = false;
    QString baseHref;                // the first <base href>
    std::vector<PageAnchor> anchors; // in page order
    QStringList robots;              // contents of robots meta tags
    QString visibleText;             // text outside comments, scripts and styles
};

// Parses a UTF-8 page with the HTML5 parser. Large pages are first cut down to what can concern
// `host` (lower case): the head's base and meta tags, the anchors and text runs in which the
// host's name occurs, and every relative anchor when `allAnchors` or when the page has a
// <base>, since relative links can then reach the host.
// Comments, scripts and styles never reach the parser's text or anchors.
PageScan scanPage(std::string_view utf8, const QString &host, bool allAnchors);

} // namespace kf::backlinks
