#include "sandbox/demo_sitemap.h"

#include "sandbox/demo_data.h"
#include "sandbox/gzip_text.h"

namespace sandbox::demo {

namespace {

const std::string kIndexPath = "/sitemap_index.xml";
const std::string kPagesPath = "/page-sitemap.xml";
const std::string kGuidesPath = "/ratgeber-sitemap.xml.gz";

// Every ranking page but the contact page, which the site leaves out of its sitemaps.
std::vector<std::string> listedRankingPages() {
    std::vector<std::string> pages;
    for (const std::string &page : rankingPages())
        if (page.find("kontakt") == std::string::npos)
            pages.push_back(page);
    return pages;
}

std::string urlsetXml(const std::vector<std::string> &pages) {
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

std::string indexXml(const std::string &base) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<sitemapindex xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n"
           "  <sitemap><loc>" +
           base + kPagesPath + "</loc></sitemap>\n  <sitemap><loc>" + base + kGuidesPath +
           "</loc></sitemap>\n</sitemapindex>\n";
}

} // namespace

std::string sitemapXml() {
    std::vector<std::string> pages = listedRankingPages();
    for (const std::string &page : unrankedPages())
        pages.push_back(page);
    return urlsetXml(pages);
}

Handler sitemapHandler() {
    return [all = sitemapXml(), ranking = urlsetXml(listedRankingPages()),
            guides = gzipped(urlsetXml(unrankedPages()))](
               const Request &request) -> std::optional<Reply> {
        // The stand-in's own address, as the operator reaches it.
        const std::string base = "http://" + request.header("Host");
        if (request.path == kSitemapPath)
            return Reply::make(200, all, "application/xml");
        if (request.path == "/robots.txt")
            return Reply::make(
                200, "User-agent: *\nDisallow: /intern/\n\nSitemap: " + base + kIndexPath + "\n",
                "text/plain");
        if (request.path == kIndexPath)
            return Reply::make(200, indexXml(base), "application/xml; charset=UTF-8");
        if (request.path == kPagesPath)
            return Reply::make(200, ranking, "application/xml; charset=UTF-8");
        if (request.path == kGuidesPath)
            return Reply::make(200, guides, "application/x-gzip");
        return std::nullopt;
    };
}

} // namespace sandbox::demo
