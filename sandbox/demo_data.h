#pragma once

// The names every demo stand-in shares: the agency's analytics sites, the project "Demo" with
// its domains, the domain whose keywords, trends, backlinks and sitemap the demo shows, its
// ranking pages and its watched keywords, and the access settings the demo writes. Each
// stand-in builds its sample set from these, so the lists agree with one another.

#include <string>
#include <vector>

namespace sandbox::demo {

// The analytics server's sites: id, name, main URL (the addresses the operator's agency
// tracks; ".example" names reach no real host).
struct AnalyticsSite {
    int id;
    std::string name;
    std::string mainUrl;
    int visitsPerDay; // the site's usual traffic, the scale of every figure it reports
};
const std::vector<AnalyticsSite> &analyticsSites();

// The project and its domains, as the operator types them (no scheme).
inline const std::string kProject = "Demo";
const std::vector<std::string> &projectDomains();

// The domain the keyword lists, trends, backlinks and the sitemap are about. The demo window
// opens with it as the backlink checker's domain text, the text the counter-check looks for
// in the linking pages.
inline const std::string kMainDomain = "www.lindenhof-gaertnerei.example";
inline const std::string kMainUrl = "http://" + kMainDomain;
// The project's other two customers.
inline const std::string kFurnitureDomain = "www.moebel-hartmann.example";
inline const std::string kDentistDomain = "www.zahnarzt-seidel.example";

// Pages of the main domain that rank for keywords (full addresses, as XOVI lists them), each
// with the search term it ranks for first; its other keywords are that term with a modifier or
// a place. The sitemap lists most of these pages and some pages that rank for nothing.
struct RankingPage {
    std::string url;
    std::string term;
};
const std::vector<RankingPage> &rankingPageTerms();
const std::vector<std::string> &rankingPages(); // the addresses alone, in the same order
// Pages of the sitemap that rank for nothing.
const std::vector<std::string> &unrankedPages();

// The keywords watched for the trend analysis of the main domain; the main domain ranks for
// each of them.
const std::vector<std::string> &watchedKeywords();

// The other domains of the project and what they offer: their keyword lists are made of these
// terms.
struct ProjectTopic {
    std::string domain;
    std::vector<std::string> terms;
    std::vector<std::string> modifiers;
};
const std::vector<ProjectTopic> &otherProjectTopics();
// Places the agency's customers advertise in.
const std::vector<std::string> &places();

// Access settings written into the demo's account file; the stand-ins accept these and refuse
// any other.
inline const std::string kAnalyticsToken = "demo0123456789abcdef0123456789ab";
inline const std::string kXoviKey = "demo-xovi-key-4711";
inline const std::string kSeokicksKey = "demo-seokicks-appid-0815";

// Where the XOVI stand-in answers: its endpoint is the service's base followed by this path
// ("index.php?key=" follows).
inline const std::string kXoviApiPath = "/api/";
// The sitemap of the main domain on the web stand-in.
inline const std::string kSitemapPath = "/sitemap.xml";

} // namespace sandbox::demo
