#include "backlinks/link_page_scan.h"

#include "backlinks/parse_bounds.h"

#include <gumbo.h>

#include <QThread>

#include <memory>
#include <optional>
#include <string>

namespace kf::backlinks {

namespace {

constexpr std::size_t kSmallPageBytes = 16 * 1024;
constexpr uint kParserStackBytes = 256u * 1024 * 1024; // address space only, taken as used

bool isHtml(const GumboElement &element) {
    return element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

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
        if (n->v.element.tag == GUMBO_TAG_IMG && isHtml(n->v.element))
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
        if (e.tag == GUMBO_TAG_SCRIPT || e.tag == GUMBO_TAG_STYLE || e.tag == GUMBO_TAG_TEMPLATE)
            continue;
        // Of foreign elements only SVG's <a> counts: it is a link a reader can follow. HTML
        // inside an SVG <title> or <foreignObject> is HTML again.
        const bool svgLink = e.tag_namespace == GUMBO_NAMESPACE_SVG && e.tag == GUMBO_TAG_A;
        switch (isHtml(e) || svgLink ? e.tag : GUMBO_TAG_UNKNOWN) {
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

} // namespace

PageScan scanPage(std::string_view utf8) {
    PageScan scan;
    const std::optional<std::string> bounded = boundedForParser(utf8);
    const std::string_view page = bounded ? std::string_view(*bounded) : utf8;
    // The parser frees its tree recursively, one call per level. A small page cannot nest
    // deep enough to matter (a level takes three bytes at least); a larger one is parsed on a
    // thread with a stack for any depth the bounds let through.
    if (page.size() < kSmallPageBytes) {
        parse(page, scan);
        return scan;
    }
    std::unique_ptr<QThread> parser(QThread::create([&] { parse(page, scan); }));
    parser->setStackSize(kParserStackBytes);
    parser->start();
    parser->wait();
    return scan;
}

} // namespace kf::backlinks
