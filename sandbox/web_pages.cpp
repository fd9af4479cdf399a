#include "sandbox/web_pages.h"

#include "sandbox/xml_text.h"

#include <algorithm>
#include <cctype>

namespace sandbox {

namespace {

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

std::string page(const std::string &title, const std::string &body) {
    return "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n  <meta charset=\"utf-8\">\n  <title>" +
           title + "</title>\n</head>\n<body>\n  <h1>" + title + "</h1>\n" + body +
           "</body>\n</html>\n";
}

Reply replyFor(const LinkingPage &p, const Request &r, int neverMs) {
    using Kind = LinkingPage::Kind;
    switch (p.kind) {
    case Kind::Redirects: {
        Reply reply = Reply::withStatus(301, page("Moved", "  <p>Moved.</p>\n"));
        const std::string host = r.header("Host");
        reply.headers.emplace_back("Location", "https://" + host + p.path);
        return reply;
    }
    case Kind::Missing:
        return Reply::withStatus(404, page("Nicht gefunden", "  <p>Seite fehlt.</p>\n"));
    case Kind::NeverAnswers: {
        Reply reply = Reply::html(linkingPageHtml(p));
        reply.delayMs = neverMs;
        return reply;
    }
    default:
        return Reply::html(linkingPageHtml(p));
    }
}

} // namespace

std::string linkingPageHtml(const LinkingPage &p) {
    using Kind = LinkingPage::Kind;
    std::string body = "  <p>Empfehlungen aus unserer Redaktion.</p>\n";
    // A domain named without a scheme is linked with one, as a browser would go there.
    const std::string target =
        (p.domain.find("://") == std::string::npos ? "http://" : "") + p.domain + "/";
    if (p.kind == Kind::Mentions || p.kind == Kind::NeverAnswers)
        body += "  <p>Unser Tipp: <a href=\"" + xmlEscaped(target) + "\">" + xmlEscaped(p.domain) +
                "</a></p>\n";
    else if (p.kind == Kind::OtherCase)
        body += "  <p>Unser Tipp: " + upper(p.domain) + "</p>\n";
    else
        body += "  <p>Unser Tipp: <a href=\"https://andere-seite.example/\">andere Seite</a></p>\n";
    return page(xmlEscaped(p.title), body);
}

Handler webPages(std::vector<LinkingPage> pages, int neverMs) {
    return [pages = std::move(pages), neverMs](const Request &r) -> std::optional<Reply> {
        for (const LinkingPage &p : pages)
            if (p.path == r.path)
                return replyFor(p, r, neverMs);
        return std::nullopt;
    };
}

} // namespace sandbox
