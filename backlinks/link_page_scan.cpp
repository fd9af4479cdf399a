#include "backlinks/link_page_scan.h"

#include <gumbo.h>

#include <QUrl>

#include <algorithm>
#include <string>

namespace kf::backlinks {

namespace {

// ---- the parser's tree ----------------------------------------------------------------------

QString attribute(const GumboElement &element, const char *name, bool *present = nullptr) {
    const GumboAttribute *attr = gumbo_get_attribute(&element.attributes, name);
    if (present)
        *present = attr != nullptr;
    return attr ? QString::fromUtf8(attr->value) : QString();
}

// The text of an element's subtree, without scripts and styles.
void appendText(const GumboNode *node, std::string &out) {
    std::vector<const GumboNode *> stack{node};
    while (!stack.empty()) {
        const GumboNode *n = stack.back();
        stack.pop_back();
        if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE ||
            n->type == GUMBO_NODE_CDATA) {
            out += n->v.text.text;
            continue;
        }
        if (n->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboTag tag = n->v.element.tag;
        if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_TEMPLATE)
            continue;
        const GumboVector &children = n->v.element.children;
        for (unsigned i = children.length; i-- > 0;)
            stack.push_back(static_cast<const GumboNode *>(children.data[i]));
    }
}

QString anchorText(const GumboNode *anchor) {
    std::string text;
    appendText(anchor, text);
    QString simple = QString::fromUtf8(text).simplified();
    if (!simple.isEmpty())
        return simple;
    // An image link: its alt text names it.
    std::vector<const GumboNode *> stack{anchor};
    while (!stack.empty()) {
        const GumboNode *n = stack.back();
        stack.pop_back();
        if (n->type != GUMBO_NODE_ELEMENT)
            continue;
        if (n->v.element.tag == GUMBO_TAG_IMG)
            return attribute(n->v.element, "alt").simplified();
        const GumboVector &children = n->v.element.children;
        for (unsigned i = children.length; i-- > 0;)
            stack.push_back(static_cast<const GumboNode *>(children.data[i]));
    }
    return QString();
}

void walk(const GumboNode *root, PageScan &scan) {
    std::string text;
    std::vector<const GumboNode *> stack{root};
    while (!stack.empty()) {
        const GumboNode *n = stack.back();
        stack.pop_back();
        if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_CDATA) {
            text += n->v.text.text;
            text += ' ';
            continue;
        }
        if (n->type != GUMBO_NODE_ELEMENT)
            continue; // comments, whitespace
        const GumboElement &e = n->v.element;
        switch (e.tag) {
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_TEMPLATE:
            continue;
        case GUMBO_TAG_BASE: {
            bool present = false;
            const QString href = attribute(e, "href", &present);
            if (present && !scan.hasBase) {
                scan.hasBase = true;
                scan.baseHref = href;
            }
            break;
        }
        case GUMBO_TAG_META: {
            const QString name = attribute(e, "name").trimmed().toLower();
            if (name == QLatin1String("robots") || name == QLatin1String("googlebot"))
                scan.robots << attribute(e, "content");
            break;
        }
        case GUMBO_TAG_A: {
            bool hasHref = false;
            PageAnchor anchor;
            anchor.href = attribute(e, "href", &hasHref);
            if (hasHref) {
                anchor.rel = attribute(e, "rel", &anchor.hasRel);
                anchor.text = anchorText(n);
                scan.anchors.push_back(anchor);
            }
            break;
        }
        default:
            break;
        }
        for (unsigned i = e.children.length; i-- > 0;)
            stack.push_back(static_cast<const GumboNode *>(e.children.data[i]));
    }
    scan.visibleText = QString::fromUtf8(text);
}

void parse(std::string_view html, PageScan &scan) {
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0; // no use for the parse error list: recording it costs time
    GumboOutput *output = gumbo_parse_with_options(&options, html.data(), html.size());
    walk(output->root, scan);
    gumbo_destroy_output(&options, output);
}

// ---- the cut-down page ----------------------------------------------------------------------

bool isTagNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The end of a start tag (one past its '>'), quoted attribute values skipped.
std::size_t tagEnd(std::string_view low, std::size_t pos) {
    char quote = 0;
    bool afterEquals = false;
    for (std::size_t i = pos; i < low.size(); ++i) {
        const char c = low[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '>') {
            return i + 1;
        } else if ((c == '"' || c == '\'') && afterEquals) {
            quote = c;
        } else if (c == '=') {
            afterEquals = true;
            continue;
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            continue; // blanks may stand between "=" and the value
        }
        afterEquals = false;
    }
    return low.size();
}

// Elements whose content is no markup: a tag or text inside them is no link and no mention.
bool isRawText(std::string_view name) {
    return name == "script" || name == "style" || name == "xmp" || name == "iframe" ||
           name == "noembed" || name == "noframes" || name == "template";
}

// The next tag named `name` (start tag "<a", end tag "</a") at or after `from`, not one whose
// name merely begins so ("<abbr", "</aside").
std::size_t findTag(std::string_view low, std::string_view name, std::size_t from) {
    for (std::size_t at = low.find(name, from); at != std::string_view::npos;
         at = low.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        if (after >= low.size() || !isTagNameChar(low[after]))
            return at;
    }
    return std::string_view::npos;
}

// Whether the start tag's href names a scheme or a host of its own ("https:", "mailto:", "//"):
// such a link goes where it says, whatever the page's address or <base> is.
bool hasAbsoluteHref(std::string_view tag) {
    for (std::size_t at = tag.find("href"); at != std::string_view::npos;
         at = tag.find("href", at + 4)) {
        std::size_t i = at + 4;
        if (at == 0 || !(tag[at - 1] == ' ' || tag[at - 1] == '\t' || tag[at - 1] == '\n' ||
                         tag[at - 1] == '\r' || tag[at - 1] == '\f' || tag[at - 1] == '/'))
            continue;
        const auto skipBlanks = [&] {
            while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t' || tag[i] == '\n' ||
                                      tag[i] == '\r' || tag[i] == '\f'))
                ++i;
        };
        skipBlanks();
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        skipBlanks();
        if (i < tag.size() && (tag[i] == '"' || tag[i] == '\''))
            ++i;
        skipBlanks();
        if (tag.substr(i, 2) == "//")
            return true;
        std::size_t j = i;
        while (j < tag.size() && ((tag[j] >= 'a' && tag[j] <= 'z') ||
                                  (j > i && ((tag[j] >= '0' && tag[j] <= '9') || tag[j] == '+' ||
                                             tag[j] == '-' || tag[j] == '.'))))
            ++j;
        return j > i && j < tag.size() && tag[j] == ':';
    }
    return false; // no href: the parser will not count it anyway
}

// The HTML5 parser reads about 30 MB/s, too slow for a large page in a run of thousands. A
// linear pre-pass keeps what can concern the host, in page order, and the parser reads that.
std::string cutDown(std::string_view page, const QString &host, bool allAnchors) {
    std::string low(page);
    std::transform(low.begin(), low.end(), low.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    // A <base> can point relative links anywhere, the domain too.
    allAnchors = allAnchors || low.find("<base") != std::string::npos;
    // An international name may stand in the page in its ACE form or in its own letters.
    std::vector<std::size_t> hits;
    std::vector<std::string> needles{host.toStdString()};
    const QString named = QUrl::fromAce(host.toLatin1(), QUrl::IgnoreIDNWhitelist).toLower();
    if (named != host)
        needles.push_back(named.toStdString());
    for (const std::string &needle : needles)
        if (!needle.empty())
            for (std::size_t at = low.find(needle); at != std::string::npos;
                 at = low.find(needle, at + 1))
                hits.push_back(at);
    std::sort(hits.begin(), hits.end());
    const auto holdsHit = [&hits](std::size_t from, std::size_t to) {
        const auto it = std::lower_bound(hits.begin(), hits.end(), from);
        return it != hits.end() && *it < to;
    };

    std::string head, body;
    // `plain`: the text of a title or textarea, where a tag is text and no link.
    const auto keepText = [&](std::size_t from, std::size_t to, bool plain = false) {
        if (from < to && holdsHit(from, to)) {
            body += "<p>";
            const std::string_view text = page.substr(from, to - from);
            for (const char c : text)
                if (plain && c == '<')
                    body += "&lt;";
                else
                    body += c;
            body += "</p>\n";
        }
    };
    const std::size_t n = low.size();
    std::size_t pos = 0;
    while (pos < n) {
        const std::size_t lt = low.find('<', pos);
        if (lt == std::string::npos) {
            keepText(pos, n);
            break;
        }
        keepText(pos, lt);
        // "<!-->" and "<!--->" are empty comments that end at once.
        if (low.compare(lt, 5, "<!-->") == 0 || low.compare(lt, 6, "<!--->") == 0) {
            pos = low.find('>', lt + 4) + 1;
            continue;
        }
        if (low.compare(lt, 4, "<!--") == 0) {
            const std::size_t end = low.find("-->", lt + 4);
            pos = end == std::string::npos ? n : end + 3;
            continue;
        }
        const char next = lt + 1 < n ? low[lt + 1] : '\0';
        if (next == '!' || next == '?' || next == '/') {
            const std::size_t end = low.find('>', lt);
            pos = end == std::string::npos ? n : end + 1;
            continue;
        }
        if (next < 'a' || next > 'z') {
            keepText(lt, lt + 1);
            pos = lt + 1;
            continue;
        }
        std::size_t nameEnd = lt + 1;
        while (nameEnd < n && isTagNameChar(low[nameEnd]))
            ++nameEnd;
        const std::string_view name(low.data() + lt + 1, nameEnd - lt - 1);
        const std::size_t end = tagEnd(low, nameEnd);
        const bool plainText = name == "title" || name == "textarea";
        if (plainText || isRawText(name)) {
            const std::size_t closeAt = findTag(low, "</" + std::string(name), end);
            if (plainText)
                keepText(end, std::min(closeAt, n), true);
            const std::size_t closeEnd = closeAt == std::string::npos ? n : low.find('>', closeAt);
            pos = closeEnd == std::string::npos ? n : closeEnd + 1;
            continue;
        }
        if (name == "base" || name == "meta") {
            head.append(page.substr(lt, end - lt));
        } else if (name == "a") {
            // The anchor reaches to its end tag or to the next anchor, which closes it.
            std::size_t stop = std::min(findTag(low, "</a", end), findTag(low, "<a", end));
            stop = std::min({stop, n, end + 65536});
            const std::string_view tag = std::string_view(low).substr(lt, end - lt);
            // A character reference can write the host's name itself ("www&#46;example&#46;com").
            const bool references = tag.find("&#") != std::string_view::npos ||
                                    tag.find("&period;") != std::string_view::npos;
            if (holdsHit(lt, stop) || references || (allAnchors && !hasAbsoluteHref(tag))) {
                body.append(page.substr(lt, stop - lt));
                body += "</a>\n";
            }
        }
        pos = end;
    }
    return "<!DOCTYPE html><html><head>" + head + "</head><body>" + body + "</body></html>";
}

} // namespace

PageScan scanPage(std::string_view utf8, const QString &host, bool allAnchors) {
    PageScan scan;
    // Every page takes the same road, so that a small page is judged as a large one would be.
    parse(cutDown(utf8, host, allAnchors), scan);
    return scan;
}

} // namespace kf::backlinks
