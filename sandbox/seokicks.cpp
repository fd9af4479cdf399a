#include "sandbox/seokicks.h"

#include "sandbox/xml_text.h"

namespace sandbox {

namespace {
std::string errorReply(const std::string &message) {
    return std::string(xmlDeclaration()) +
           "<SEOkicksService>\n"
           "  <Error>\n"
           "    <Code>403</Code>\n"
           "    <Message>" +
           xmlEscaped(message) +
           "</Message>\n"
           "  </Error>\n"
           "</SEOkicksService>\n";
}
} // namespace

std::string seokicksReply(const std::string &query, const std::vector<Backlink> &links) {
    std::string out = std::string(xmlDeclaration()) +
                      "<SEOkicksService>\n"
                      "  <Overview>\n"
                      "    <Query>" +
                      xmlEscaped(query) + "</Query>\n    <Inlinks>" + std::to_string(links.size()) +
                      "</Inlinks>\n"
                      "    <Page>1</Page>\n"
                      "  </Overview>\n"
                      "  <InlinkData>\n";
    out.reserve(out.size() + links.size() * 300);
    for (const Backlink &link : links) {
        // Anchor 5 lines below <url> (its CDATA section one more), follow at 11, target at 19.
        out += "    <inlink>\n      <url>";
        out += xmlEscaped(link.linkingUrl);
        out += "</url>\n      <anchor><![CDATA[";
        out += link.anchorText;
        out += "]]></anchor>\n      <follow>";
        out += link.follow ? "1" : "0";
        out += "</follow>\n      <linktype>text</linktype>\n      <target>";
        out += xmlEscaped(link.targetUrl);
        out += "</target>\n      <domainPop>12</domainPop>\n    </inlink>\n";
    }
    out += "  </InlinkData>\n</SEOkicksService>\n";
    return out;
}

Handler seokicks(SeokicksData data) {
    return [data = std::move(data)](const Request &r) -> std::optional<Reply> {
        if (r.path != "/SEOkicksService/V1/inlinkData")
            return std::nullopt;
        if (r.param("appid") != data.appid)
            return Reply::xml(errorReply("Invalid appid"));
        const std::string query = r.param("query");
        return Reply::xml(seokicksReply(
            query, backlinksFor(data.links, data.otherwise, query, r.param("results"))));
    };
}

} // namespace sandbox
