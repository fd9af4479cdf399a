#include "sandbox/demo_sitemap.h"

#include "sandbox/demo_data.h"

namespace sandbox::demo {

std::string sitemapXml() {
    std::vector<std::string> pages;
    // Every ranking page but the contact page, which the site leaves out of its sitemap.
    for (const std::string &page : rankingPages())
        if (page.find("kontakt") == std::string::npos)
            pages.push_back(page);
    for (const std::string &page : unrankedPages())
        pages.push_back(page);

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
    int day = 1;
    for (const std::string &page : pages) {
        const bool home = page == kMainUrl + "/";
        xml += "  <url>\n    <loc>" + page + "</loc>\n    <lastmod>2026-11-" +
               (day < 10 ? "0" : "") + std::to_string(day) + "</lastmod>\n" + "    <changefreq>" +
               (home ? "daily" : "monthly") + "</changefreq>\n" + "    <priority>" +
               (home ? "1.0" : "0.6") + "</priority>\n  </url>\n";
        day = day % 28 + 1;
    }
    return xml + "</urlset>\n";
}

Handler sitemapHandler() {
    return [xml = sitemapXml()](const Request &request) -> std::optional<Reply> {
        if (request.path != kSitemapPath)
            return std::nullopt;
        return Reply::make(200, xml, "application/xml");
    };
}

} // namespace sandbox::demo
