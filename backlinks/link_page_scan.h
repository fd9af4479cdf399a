#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace kf::backlinks {

// One <a href> of a page, as written. Its text is read through PageScan::anchorText: only the
// link that decides the verdict needs it.
struct PageAnchor {
    QString href;
    QString rel;
    bool hasRel = false;
    std::size_t textFrom = 0, textTo = 0; // its text in PageScan::anchorChars
    int image = -1;                       // its first image, an index into PageScan::imageAlts
};

// What the HTML parser found in a page that matters for a link check.
struct PageScan {
    bool hasBase = false;
    QString baseHref;                   // the first <base href>
    std::vector<PageAnchor> anchors;    // in page order
    QStringList robots;                 // contents of robots meta tags
    QString visibleText;                // text outside comments, scripts and styles
    std::string anchorChars;            // the text inside links, each link's a slice of it
    std::vector<std::string> imageAlts; // alt texts of the images inside links

    // The link's text, blanks simplified, or the alt text of its first image when it has none.
    QString anchorText(const PageAnchor &anchor) const;
};

// Parses the whole UTF-8 page with the HTML5 parser, as a browser builds its document: the
// HTML anchors with an href, the first <base href>, the robots meta tags and the text outside
// comments, scripts, styles and templates. Pages of pathological markup are first bounded
// (parse_bounds.h) so that reading any page takes time in proportion to its size.
PageScan scanPage(std::string_view utf8);

} // namespace kf::backlinks
