#include "backlinks/link_page_scan.h"

#include "backlinks/parse_bounds.h"

#include <gumbo.h>

#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
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

// The parser allocates every node, string and vector of a page separately, and frees its tree
// node by node, recursing once per level. An arena of large blocks makes each allocation a
// pointer bump, and the whole tree goes at once with the arena; what the parser frees on the
// way stays until then (its growing buffers double, so that is at most as much again).
class Arena {
public:
    Arena() = default;
    Arena(const Arena &) = delete;
    Arena &operator=(const Arena &) = delete;
    ~Arena() {
        for (void *block : blocks_)
            std::free(block);
    }

    static void *allocate(void *self, std::size_t size) {
        return static_cast<Arena *>(self)->take(size);
    }
    static void release(void *, void *) {}

private:
    static constexpr std::size_t kBlock = 1 << 20;
    static constexpr std::size_t kAlign = alignof(std::max_align_t);

    void *take(std::size_t size) {
        size = (size + kAlign - 1) & ~(kAlign - 1);
        if (size > kBlock / 4) // a large buffer gets a block of its own
            return newBlock(size);
        if (size > left_) {
            next_ = static_cast<char *>(newBlock(kBlock));
            left_ = kBlock;
        }
        void *p = next_;
        next_ += size;
        left_ -= size;
        return p;
    }
    void *newBlock(std::size_t size) {
        void *block = std::malloc(size);
        if (!block)
            throw std::bad_alloc();
        blocks_.push_back(block);
        return block;
    }

    std::vector<void *> blocks_;
    char *next_ = nullptr;
    std::size_t left_ = 0;
};

bool skipsContent(const GumboElement &e) {
    return e.tag == GUMBO_TAG_SCRIPT || e.tag == GUMBO_TAG_STYLE || e.tag == GUMBO_TAG_TEMPLATE;
}

// One pass over the tree, in document order. Links may nest (SVG links, links around markers),
// so a link's text is not gathered by walking its subtree again: the text inside any link is
// written once to anchorChars, and each link keeps where its own text starts and ends. The alt
// text of a link's first image (its name when it has no text) is found on the same pass.
void walk(const GumboNode *root, PageScan &scan) {
    enum Step { Visit, LeaveAnchor, LeaveSkipped };
    struct Item {
        const GumboNode *node;
        Step step;
        std::size_t anchor;
    };
    std::string text;
    std::vector<Item> stack{{root, Visit, 0}};
    std::vector<std::size_t> open;     // links around the current node, outermost first
    std::size_t firstWithoutImage = 0; // open[firstWithoutImage..] have met no image yet
    int skipped = 0;                   // scripts, styles and templates around the current node
    while (!stack.empty()) {
        const Item item = stack.back();
        stack.pop_back();
        if (item.step == LeaveAnchor) {
            scan.anchors[item.anchor].textTo = scan.anchorChars.size();
            open.pop_back();
            firstWithoutImage = std::min(firstWithoutImage, open.size());
            continue;
        }
        if (item.step == LeaveSkipped) {
            --skipped;
            continue;
        }
        const GumboNode *n = item.node;
        if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE ||
            n->type == GUMBO_NODE_CDATA) {
            if (skipped > 0)
                continue;
            if (!open.empty())
                scan.anchorChars += n->v.text.text;
            if (n->type != GUMBO_NODE_WHITESPACE) {
                text += n->v.text.text;
                text += ' ';
            }
            continue;
        }
        if (n->type != GUMBO_NODE_ELEMENT)
            continue; // comments, template contents
        const GumboElement &e = n->v.element;
        // An image names the links around it that have met none yet (scripts and styles
        // inside a link do not hide it).
        if (e.tag == GUMBO_TAG_IMG && isHtml(e) && firstWithoutImage < open.size()) {
            const GumboAttribute *alt = gumbo_get_attribute(&e.attributes, "alt");
            scan.imageAlts.emplace_back(alt ? alt->value : "");
            for (std::size_t i = firstWithoutImage; i < open.size(); ++i)
                scan.anchors[open[i]].image = int(scan.imageAlts.size() - 1);
            firstWithoutImage = open.size();
        }
        if (skipsContent(e)) {
            ++skipped;
            stack.push_back({n, LeaveSkipped, 0});
        } else if (skipped == 0) {
            // Of foreign elements only SVG's <a> counts: it is a link a reader can follow.
            // HTML inside an SVG <title> or <foreignObject> is HTML again.
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
                    anchor.textFrom = scan.anchorChars.size();
                    scan.anchors.push_back(std::move(anchor));
                    open.push_back(scan.anchors.size() - 1);
                    stack.push_back({n, LeaveAnchor, scan.anchors.size() - 1});
                }
                break;
            }
            default:
                break;
            }
        }
        for (unsigned i = e.children.length; i-- > 0;)
            stack.push_back({static_cast<const GumboNode *>(e.children.data[i]), Visit, 0});
    }
    scan.visibleText = QString::fromUtf8(text);
}

void parse(std::string_view html, PageScan &scan) {
    Arena arena;
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0; // no use for the parse error list: recording it costs time
    options.allocator = &Arena::allocate;
    options.deallocator = &Arena::release;
    options.userdata = &arena;
    GumboOutput *output = gumbo_parse_with_options(&options, html.data(), html.size());
    walk(output->root, scan);
    // The tree goes with the arena.
}

} // namespace

QString PageScan::anchorText(const PageAnchor &anchor) const {
    const QString simple =
        QString::fromUtf8(anchorChars.data() + anchor.textFrom, anchor.textTo - anchor.textFrom)
            .simplified();
    if (!simple.isEmpty() || anchor.image < 0)
        return simple;
    // An image link: its alt text names it.
    return QString::fromUtf8(imageAlts[std::size_t(anchor.image)]).simplified();
}

PageScan scanPage(std::string_view utf8) {
    PageScan scan;
    const std::optional<std::string> bounded = boundedForParser(utf8);
    const std::string_view page = bounded ? std::string_view(*bounded) : utf8;
    // A small page cannot nest deep enough to matter (a level takes three bytes at least); a
    // larger one is parsed on a thread with a stack for any depth the bounds let through.
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
