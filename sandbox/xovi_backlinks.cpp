#include "sandbox/xovi_backlinks.h"

#include "sandbox/xml_text.h"
#include "sandbox/xovi_trends.h"

#include <cstdlib>

namespace sandbox {

std::string xoviBacklinkReply(const std::vector<Backlink> &links) {
    std::string out = std::string(xmlDeclaration()) +
                      "<response>\n"
                      "  <meta>\n"
                      "    <service>links</service>\n"
                      "    <method>getbacklinks</method>\n"
                      "    <credits>" +
                      std::to_string(links.size()) +
                      "</credits>\n"
                      "  </meta>\n"
                      "  <data>\n";
    out.reserve(out.size() + links.size() * 260);
    for (const Backlink &link : links) {
        out += "    <backlink>\n      <linkingUrl>";
        out += xmlEscaped(link.linkingUrl);
        out += "</linkingUrl>\n      <anchorText>";
        out += xmlEscaped(link.anchorText);
        out += "</anchorText>\n      <targetUrl>";
        out += xmlEscaped(link.targetUrl);
        out += "</targetUrl>\n      <nofollow>";
        out += link.follow ? "0" : "1";
        out += "</nofollow>\n      <firstSeen>2026-03-14</firstSeen>\n    </backlink>\n";
    }
    out += "  </data>\n</response>\n";
    return out;
}

std::vector<Backlink>
backlinksFor(const std::map<std::string, std::vector<Backlink>> &links,
             const std::function<std::vector<Backlink>(const std::string &)> &otherwise,
             const std::string &domain, const std::string &limitText) {
    std::vector<Backlink> found;
    if (const auto it = links.find(domain); it != links.end())
        found = it->second;
    else if (otherwise)
        found = otherwise(domain);
    char *end = nullptr;
    const long n = std::strtol(limitText.c_str(), &end, 10);
    if (!limitText.empty() && *end == '\0' && n >= 0 && size_t(n) < found.size())
        found.resize(size_t(n));
    return found;
}

Handler xoviBacklinks(XoviBacklinkData data) {
    return [data = std::move(data)](const Request &r) -> std::optional<Reply> {
        if (!isXoviCall(r, "links", "getbacklinks"))
            return std::nullopt;
        if (r.param("key") != data.key)
            return Reply::xml(xoviErrorReply("Invalid API key"));
        return Reply::xml(xoviBacklinkReply(
            backlinksFor(data.links, data.otherwise, r.param("domain"), r.param("limit"))));
    };
}

} // namespace sandbox
