#include "backlinks/parse_bounds.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kf::backlinks {

namespace {

constexpr std::size_t kMaxDepth = 512;
constexpr std::size_t kMaxFormatting = 64;
constexpr std::size_t kMaxAttributes = 256;
// How far down the open elements an implied end looks: real pages close within a few levels.
constexpr std::size_t kMaxSearch = kMaxDepth;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

using Names = std::unordered_set<std::string_view>;

bool in(const Names &names, std::string_view name) {
    return names.count(name) > 0;
}

const Names kVoid = {"area",  "base", "br",    "col",    "embed",    "hr",       "img",    "input",
                     "link",  "meta", "param", "source", "track",    "wbr",      "keygen", "frame",
                     "image", "html", "head",  "body",   "frameset", "basefont", "bgsound"};
const Names kRawText = {"script",  "style",    "xmp",      "iframe",
                        "noembed", "noframes", "textarea", "title"};
const Names kFormatting = {"a",    "b", "big",   "code",   "em",     "font", "i",
                           "nobr", "s", "small", "strike", "strong", "tt",   "u"};
// Elements whose start closes an open paragraph.
const Names kClosesP = {"address", "article", "aside", "blockquote", "center",   "details",
                        "dialog",  "dir",     "div",   "dl",         "fieldset", "figcaption",
                        "figure",  "footer",  "form",  "h1",         "h2",       "h3",
                        "h4",      "h5",      "h6",    "header",     "hgroup",   "hr",
                        "main",    "menu",    "nav",   "ol",         "p",        "pre",
                        "section", "summary", "table", "ul",         "listing",  "xmp"};
// The parser's special elements: an end tag for another element does not close past them.
const Names kSpecial = {
    "address",    "applet",  "area",   "article", "aside",     "base",     "basefont", "bgsound",
    "blockquote", "body",    "br",     "button",  "caption",   "center",   "col",      "colgroup",
    "dd",         "details", "dir",    "div",     "dl",        "dt",       "embed",    "fieldset",
    "figcaption", "figure",  "footer", "form",    "frame",     "frameset", "h1",       "h2",
    "h3",         "h4",      "h5",     "h6",      "head",      "header",   "hgroup",   "hr",
    "html",       "iframe",  "img",    "input",   "keygen",    "li",       "link",     "listing",
    "main",       "marquee", "menu",   "meta",    "nav",       "noembed",  "noframes", "noscript",
    "object",     "ol",      "p",      "param",   "plaintext", "pre",      "script",   "section",
    "select",     "source",  "style",  "summary", "table",     "tbody",    "td",       "template",
    "textarea",   "tfoot",   "th",     "thead",   "title",     "tr",       "track",    "ul",
    "wbr",        "xmp",     "svg",    "math"};
// Start tags that always reach the parser: a link (an <a> closes any <a> before it, so links
// never pile up), and elements whose content would turn into markup or text of the page
// without them.
const Names kNeverDropped = {"a",      "template", "script",   "style",    "xmp",
                             "iframe", "noembed",  "noframes", "textarea", "title",
                             "select", "svg",      "math",     "noscript"};
// Foreign elements whose content is HTML (or text) again.
const Names kIntegrationPoints = {"foreignobject", "desc",          "title", "mi", "mo", "mn", "ms",
                                  "mtext",         "annotation-xml"};
// End tags that act even when no element of their name is open.
const Names kEndTagActs = {"p", "br", "body", "html", "form", "template"};
const Names kNone = {};
const Names kTable = {"table"};
const Names kRow = {"table", "tr"};
const Names kHeadings = {"h1", "h2", "h3", "h4", "h5", "h6"};
const Names kMarkers = {"applet", "caption", "marquee", "object", "template", "td", "th"};
const Names kScope = {"applet",   "caption", "html", "marquee", "object",
                      "template", "table",   "td",   "th"};
// The special elements an <li>, <dd> or <dt> does not look past.
const Names kListBarriers = {"applet",  "caption",    "html",     "marquee", "object", "template",
                             "table",   "td",         "th",       "ol",      "ul",     "dl",
                             "section", "article",    "nav",      "aside",   "main",   "header",
                             "footer",  "blockquote", "fieldset", "details", "figure", "form",
                             "button",  "select"};
const Names kForeignBreakout = {
    "b",      "big",  "blockquote", "body",  "br",   "center", "code",    "dd",   "div",
    "dl",     "dt",   "em",         "embed", "h1",   "h2",     "h3",      "h4",   "h5",
    "h6",     "head", "hr",         "i",     "img",  "li",     "listing", "menu", "meta",
    "nobr",   "ol",   "p",          "pre",   "ruby", "s",      "small",   "span", "strong",
    "strike", "sub",  "sup",        "table", "tt",   "u",      "ul",      "var"};
// Attributes that tell where a link goes, what it is, or what the page says of itself: kept
// even in a tag cut down to its first attributes.
const Names kTelling = {"href", "rel", "name", "content", "http-equiv", "charset", "alt"};

struct Tag {
    std::size_t end = 0; // one past the '>'
    std::string name;    // lower case
    bool endTag = false;
    bool selfClosing = false;
    bool complete = false; // the page did not end inside it
    // [start, end) of each attribute.
    std::vector<std::pair<std::size_t, std::size_t>> attributes;
};

// An attribute's name in lower case: up to a blank, "/", ">" or "=" after its first character.
std::string attributeName(std::string_view attribute) {
    std::string name(1, lower(attribute[0]));
    for (std::size_t i = 1; i < attribute.size(); ++i) {
        const char c = attribute[i];
        if (isSpace(c) || c == '/' || c == '>' || c == '=')
            break;
        name += lower(c);
    }
    return name;
}

// Reads a tag as the tokenizer does: the name up to a blank, "/" or ">", then attributes whose
// values may be quoted; `at` is the '<'. `tag` is reused from tag to tag.
void readTag(std::string_view page, std::size_t at, bool endTag, Tag &tag) {
    tag.name.clear();
    tag.attributes.clear();
    tag.selfClosing = false;
    tag.complete = false;
    tag.endTag = endTag;
    std::size_t i = at + (endTag ? 2 : 1);
    const std::size_t n = page.size();
    while (i < n && !isSpace(page[i]) && page[i] != '/' && page[i] != '>') {
        if (tag.name.size() < 64)
            tag.name += lower(page[i]);
        ++i;
    }
    while (i < n) {
        const char c = page[i];
        if (isSpace(c)) {
            ++i;
            continue;
        }
        if (c == '>') {
            tag.end = i + 1;
            tag.complete = true;
            return;
        }
        if (c == '/') {
            ++i;
            if (i < n && page[i] == '>')
                tag.selfClosing = true;
            continue;
        }
        const std::size_t start = i;
        do {
            ++i;
        } while (i < n && !isSpace(page[i]) && page[i] != '/' && page[i] != '>' && page[i] != '=');
        std::size_t j = i;
        while (j < n && isSpace(page[j]))
            ++j;
        if (j < n && page[j] == '=') {
            ++j;
            while (j < n && isSpace(page[j]))
                ++j;
            if (j < n && (page[j] == '"' || page[j] == '\'')) {
                const std::size_t close = page.find(page[j], j + 1);
                j = close == std::string_view::npos ? n : close + 1;
            } else {
                while (j < n && !isSpace(page[j]) && page[j] != '>')
                    ++j;
            }
            i = j;
        }
        tag.attributes.emplace_back(start, i);
    }
    tag.end = n;
}

// Where a comment that starts at `at` ("<!--") ends: after "-->" or "--!>", or at once for
// "<!-->" and "<!--->".
std::size_t commentEnd(std::string_view page, std::size_t at) {
    if (page.compare(at, 5, "<!-->") == 0)
        return at + 5;
    if (page.compare(at, 6, "<!--->") == 0)
        return at + 6;
    for (std::size_t gt = page.find('>', at + 4); gt != std::string_view::npos;
         gt = page.find('>', gt + 1)) {
        if (gt >= at + 6 && page.compare(gt - 2, 2, "--") == 0)
            return gt + 1;
        if (gt >= at + 7 && page.compare(gt - 3, 3, "--!") == 0)
            return gt + 1;
    }
    return page.size();
}

// The end of raw text: the next "</name" followed by a blank, "/" or ">" (any case).
std::size_t rawTextEnd(std::string_view page, std::size_t from, const std::string &name) {
    for (std::size_t at = page.find("</", from); at != std::string_view::npos;
         at = page.find("</", at + 2)) {
        std::size_t i = at + 2;
        std::size_t k = 0;
        while (k < name.size() && i < page.size() && lower(page[i]) == name[k]) {
            ++i;
            ++k;
        }
        if (k == name.size() &&
            (i >= page.size() || isSpace(page[i]) || page[i] == '/' || page[i] == '>'))
            return at;
    }
    return page.size();
}

// The open elements and the open formatting elements as the parser keeps them, roughly.
class Model {
public:
    std::size_t depth() const { return open_.size(); }
    int count(const std::string &name) const {
        const auto it = counts_.find(name);
        return it == counts_.end() ? 0 : it->second;
    }
    bool inForeign() const { return count("svg") + count("math") > 0; }
    const std::string &top() const {
        static const std::string none;
        return open_.empty() ? none : open_.back();
    }

    // Whether the current node is an SVG or MathML element whose content is foreign too (not
    // an integration point, whose content is HTML again).
    bool foreignContent() const { return !foreign_.empty() && foreign_.back(); }

    void push(const std::string &name) {
        const bool foreign =
            name == "svg" || name == "math" || (foreignContent() && !in(kIntegrationPoints, name));
        foreign_.push_back(foreign);
        open_.push_back(name);
        ++counts_[name];
        if (in(kMarkers, name))
            formatting_.emplace_back();
    }
    void pop() {
        const std::string name = open_.back();
        open_.pop_back();
        foreign_.pop_back();
        --counts_[name];
        if (in(kMarkers, name)) {
            while (!formatting_.empty() && !formatting_.back().empty())
                dropFormatting();
            if (!formatting_.empty())
                formatting_.pop_back();
        }
    }
    // Closes the nearest open element named in `targets`, unless a barrier comes first.
    void closeNearest(std::initializer_list<std::string_view> targets, const Names &barriers) {
        bool present = false;
        for (std::string_view t : targets)
            present = present || count(std::string(t)) > 0;
        if (!present)
            return;
        const std::size_t stop = open_.size() > kMaxSearch ? open_.size() - kMaxSearch : 0;
        for (std::size_t i = open_.size(); i-- > stop;) {
            const std::string &name = open_[i];
            if (std::find(targets.begin(), targets.end(), name) != targets.end()) {
                while (open_.size() > i)
                    pop();
                return;
            }
            if (in(barriers, name))
                return;
        }
    }

    // Formatting elements since the last marker; identical ones count up to three, as the
    // parser keeps them.
    std::size_t formattingCount() const { return distinctFormatting_; }
    void addFormatting(const std::string &key) {
        if (++identical_[key] <= 3)
            ++distinctFormatting_;
        formatting_.push_back(key);
    }
    void removeFormatting(const std::string &name) {
        for (std::size_t i = formatting_.size(); i-- > 0;) {
            const std::string &key = formatting_[i];
            if (key.empty())
                return; // a marker
            if (key.compare(0, name.size(), name) == 0 &&
                (key.size() == name.size() || key[name.size()] == ' ')) {
                forget(key);
                formatting_.erase(formatting_.begin() + std::ptrdiff_t(i));
                return;
            }
        }
    }

private:
    void dropFormatting() {
        forget(formatting_.back());
        formatting_.pop_back();
    }
    void forget(const std::string &key) {
        if (identical_[key]-- <= 3)
            --distinctFormatting_;
    }

    std::vector<std::string> open_;
    std::vector<bool> foreign_; // per open element: its content is foreign
    std::unordered_map<std::string, int> counts_;
    std::vector<std::string> formatting_; // "" marks a marker
    std::unordered_map<std::string, int> identical_;
    std::size_t distinctFormatting_ = 0;
};

class Bounder {
public:
    explicit Bounder(std::string_view page) : page_(page) {}

    std::optional<std::string> run() {
        const std::size_t n = page_.size();
        std::size_t pos = 0;
        while (pos < n) {
            const std::size_t lt = page_.find('<', pos);
            if (lt == std::string_view::npos || lt + 1 >= n)
                break;
            const char next = page_[lt + 1];
            if (page_.compare(lt, 4, "<!--") == 0) {
                pos = commentEnd(page_, lt);
            } else if (page_.compare(lt, 9, "<![CDATA[") == 0 && model_.inForeign()) {
                const std::size_t end = page_.find("]]>", lt + 9);
                pos = end == std::string_view::npos ? n : end + 3;
            } else if (next == '!' || next == '?' ||
                       (next == '/' && lt + 2 < n && !isAlpha(page_[lt + 2]))) {
                const std::size_t end = page_.find('>', lt + 1);
                pos = end == std::string_view::npos ? n : end + 1;
            } else if (next == '/') {
                Tag &tag = tag_;
                readTag(page_, lt, true, tag);
                if (tag.complete)
                    endTag(tag, lt);
                else
                    boundAttributes(tag, lt);
                pos = tag.end;
            } else if (isAlpha(next)) {
                Tag &tag = tag_;
                readTag(page_, lt, false, tag);
                if (!tag.complete) {
                    // A page cut off inside a tag: the parser drops the tag, after reading
                    // its attributes.
                    boundAttributes(tag, lt);
                    break;
                }
                pos = tag.end;
                if (!startTag(tag, lt))
                    break; // the rest of the page is text (<plaintext>)
                if (!model_.inForeign() && in(kRawText, tag.name))
                    pos = rawTextEnd(page_, pos, tag.name);
            } else {
                pos = lt + 1;
            }
        }
        if (!changed_)
            return std::nullopt;
        out_.append(page_.substr(copied_));
        return std::move(out_);
    }

private:
    void replace(std::size_t from, std::size_t to, std::string_view with) {
        changed_ = true;
        out_.append(page_.substr(copied_, from - copied_));
        out_.append(with);
        copied_ = to;
    }

    void endTag(Tag &tag, std::size_t at) {
        const std::string &name = tag.name;
        if (int &dropped = dropped_[name]; dropped > 0) {
            --dropped;
            replace(at, tag.end, {});
            return;
        }
        // Deep in SVG or MathML, an end tag that closes nothing still makes the parser look
        // down every open foreign element, and such elements nest without end: beyond the
        // depth bound it is left out (those whose end tag makes an element or ends the body
        // stay).
        if (model_.depth() >= kMaxDepth && model_.inForeign() && model_.count(name) == 0 &&
            !in(kEndTagActs, name)) {
            replace(at, tag.end, {});
            return;
        }
        // The parser ignores an end tag's attributes, but reads them all the same, each
        // against those before it.
        boundAttributes(tag, at);
        if (in(kFormatting, name))
            model_.removeFormatting(name);
        // Any other end tag closes its element only when no special element lies between.
        model_.closeNearest({name}, in(kFormatting, name) ? kMarkers : kSpecial);
    }

    // False when the rest of the page is text.
    bool startTag(Tag &tag, std::size_t at) {
        const std::string &name = tag.name;
        if (name == "plaintext")
            return false;
        const bool foreign = model_.inForeign();
        if (foreign && in(kForeignBreakout, name))
            model_.closeNearest({"svg", "math"}, kNone);
        if (in(kVoid, name) || (tag.selfClosing && (foreign || name == "svg" || name == "math")) ||
            (name == "form" && model_.count("form") > 0)) { // a form inside a form is ignored
            boundAttributes(tag, at);
            return true;
        }
        // In SVG or MathML content an <a> is an element like any other: it closes no link
        // and is no formatting element, so SVG links nest.
        const bool foreignContent = model_.foreignContent();
        if (!foreignContent)
            impliedEnds(name);

        const bool formatting = !foreignContent && in(kFormatting, name);
        if (!in(kNeverDropped, name) &&
            (model_.depth() >= kMaxDepth ||
             (formatting && model_.formattingCount() >= kMaxFormatting))) {
            ++dropped_[name];
            replace(at, tag.end, {});
            return true;
        }
        boundAttributes(tag, at);
        if (formatting)
            model_.addFormatting(formattingKey(tag));
        model_.push(name);
        return true;
    }

    void impliedEnds(const std::string &name) {
        if (in(kClosesP, name))
            model_.closeNearest({"p"}, kScope);
        if (name == "li")
            model_.closeNearest({"li"}, kListBarriers);
        else if (name == "dd" || name == "dt")
            model_.closeNearest({"dd", "dt"}, kListBarriers);
        else if (name == "option" || name == "optgroup") {
            if (model_.top() == "option")
                model_.pop();
            if (name == "optgroup" && model_.top() == "optgroup")
                model_.pop();
        } else if (name == "tr")
            model_.closeNearest({"tr"}, kTable);
        else if (name == "td" || name == "th")
            model_.closeNearest({"td", "th"}, kRow);
        else if (name == "tbody" || name == "thead" || name == "tfoot")
            model_.closeNearest({"tbody", "thead", "tfoot"}, kTable);
        else if (name == "a" || name == "nobr") {
            model_.removeFormatting(name);
            model_.closeNearest({name}, kMarkers);
        } else if (name == "button" || name == "select")
            model_.closeNearest({name}, kScope);
        else if (in(kHeadings, name) && in(kHeadings, model_.top()))
            model_.pop();
    }

    // The name and the attributes as written: identical formatting elements share a key.
    std::string formattingKey(const Tag &tag) const {
        std::string key = tag.name;
        for (const auto &[from, to] : tag.attributes) {
            key += ' ';
            key.append(page_.substr(from, to - from));
        }
        return key;
    }

    // A tag of more distinct attributes than the bound keeps the first ones and those that
    // tell about links; repeated names are dropped as the parser drops them (the first wins).
    void boundAttributes(Tag &tag, std::size_t at) {
        if (tag.attributes.size() <= kMaxAttributes)
            return;
        std::unordered_set<std::string> seen;
        std::string rebuilt = (tag.endTag ? "</" : "<") + tag.name;
        std::vector<std::pair<std::size_t, std::size_t>> kept;
        for (const auto &[from, to] : tag.attributes) {
            const std::string name = attributeName(page_.substr(from, to - from));
            if (seen.count(name) || (seen.size() >= kMaxAttributes && !in(kTelling, name)))
                continue;
            seen.insert(name);
            rebuilt += ' ';
            rebuilt.append(page_.substr(from, to - from));
            kept.emplace_back(from, to);
        }
        if (kept.size() == tag.attributes.size())
            return;
        if (tag.complete) // a tag cut off by the page's end stays cut off
            rebuilt += tag.selfClosing ? " />" : ">";
        replace(at, tag.end, rebuilt);
        // Formatting keys of a rewritten tag read the kept attributes.
        tag.attributes = std::move(kept);
    }

    std::string_view page_;
    Tag tag_; // the tag being read, its buffers kept from tag to tag
    Model model_;
    std::unordered_map<std::string, int> dropped_; // start tags left out, by name
    std::string out_;
    std::size_t copied_ = 0;
    bool changed_ = false;
};

} // namespace

std::optional<std::string> boundedForParser(std::string_view page) {
    return Bounder(page).run();
}

} // namespace kf::backlinks
