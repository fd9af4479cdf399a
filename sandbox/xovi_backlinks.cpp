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

Handler xoviBacklinks(XoviBacklinkData data) {
    return [data = std::move(data)](const Request &r) -> std::optional<Reply> {
        if (!isXoviCall(r, "links", "getbacklinks"))
            return std::nullopt;
        if (r.param("key") != data.key)
            return Reply::xml(xoviErrorReply("Invalid API key"));
        const std::string domain = r.param("domain");
        std::vector<Backlink> links;
        if (const auto it = data.links.find(domain); it != data.links.end())
            links = it->second;
        else if (data.otherwise)
            links = data.otherwise(domain);
        const std::string limit = r.param("limit");
        char *end = nullptr;
        const long n = std::strtol(limit.c_str(), &end, 10);
        if (!limit.empty() && *end == '\0' && n >= 0 && size_t(n) < links.size())
            links.resize(size_t(n));
        return Reply::xml(xoviBacklinkReply(links));
    };
}

std::vector<Backlink> sampleBacklinks(const std::string &domain, const std::string &webBase) {
    static const char *const kSites[] = {"branchenbuch",    "webkatalog",      "seo-blog",
                                         "marketing-forum", "presseportal",    "stadtmagazin",
                                         "gutscheine",      "vergleichsportal"};
    static const char *const kAnchors[] = {"hier",       "Jetzt ansehen", "Online-Shop",
                                           "Startseite", "Mehr erfahren", "Anbieter & Preise",
                                           "zum Shop",   "Website"};
    const unsigned seed = stableHash(domain);
    const unsigned count = 40 + seed % 101;
    std::vector<Backlink> links;
    links.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned h = stableHash(domain + std::to_string(i));
        Backlink link;
        link.linkingUrl =
            webBase + "/" + kSites[h % 8] + "/eintrag-" + std::to_string(i + 1) + ".html";
        link.anchorText = kAnchors[(h / 8) % 8];
        link.targetUrl = domain;
        link.follow = h % 5 != 0;
        links.push_back(std::move(link));
    }
    return links;
}

XoviBacklinkData sampleXoviBacklinks(const std::string &key, const std::string &webBase) {
    XoviBacklinkData data;
    data.key = key;
    data.otherwise = [webBase](const std::string &domain) {
        return sampleBacklinks(domain, webBase);
    };
    return data;
}

} // namespace sandbox
