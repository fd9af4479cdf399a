#include "sandbox/demo_data.h"

namespace sandbox::demo {

const std::vector<AnalyticsSite> &analyticsSites() {
    static const std::vector<AnalyticsSite> sites{
        {1, "Gärtnerei Lindenhof", kMainUrl, 420},
        {2, "Möbelhaus Hartmann", "http://" + kFurnitureDomain, 1350},
        {3, "Zahnarztpraxis Dr. Seidel", "http://" + kDentistDomain, 95},
        {4, "Teehaus Fennwick Shop", "http://shop.teehaus-fennwick.example", 610},
    };
    return sites;
}

const std::vector<std::string> &projectDomains() {
    static const std::vector<std::string> domains{
        kMainDomain,
        kFurnitureDomain,
        kDentistDomain,
    };
    return domains;
}

const std::vector<RankingPage> &rankingPageTerms() {
    static const std::vector<RankingPage> pages{
        {kMainUrl + "/", "gärtnerei"},
        {kMainUrl + "/rosen/", "rosen"},
        {kMainUrl + "/rosen/kletterrosen.html", "kletterrosen"},
        {kMainUrl + "/rosen/beetrosen.html", "beetrosen"},
        {kMainUrl + "/obstbaeume/", "obstbäume"},
        {kMainUrl + "/obstbaeume/apfelbaum-pflanzen.html", "apfelbaum pflanzen"},
        {kMainUrl + "/stauden/", "stauden"},
        {kMainUrl + "/stauden/schattenstauden.html", "schattenstauden"},
        {kMainUrl + "/gartenpflege/", "gartenpflege"},
        {kMainUrl + "/gartenpflege/rasen-vertikutieren.html", "rasen vertikutieren"},
        {kMainUrl + "/gartenpflege/heckenschnitt.html", "heckenschnitt"},
        {kMainUrl + "/hochbeet-bauen.html", "hochbeet bauen"},
        {kMainUrl + "/kontakt.html", "gärtnerei in der nähe"},
    };
    return pages;
}

const std::vector<std::string> &rankingPages() {
    static const std::vector<std::string> pages = [] {
        std::vector<std::string> urls;
        for (const RankingPage &page : rankingPageTerms())
            urls.push_back(page.url);
        return urls;
    }();
    return pages;
}

const std::vector<std::string> &unrankedPages() {
    static const std::vector<std::string> pages{
        kMainUrl + "/ueber-uns.html",
        kMainUrl + "/oeffnungszeiten.html",
        kMainUrl + "/impressum.html",
        kMainUrl + "/datenschutz.html",
    };
    return pages;
}

const std::vector<std::string> &watchedKeywords() {
    static const std::vector<std::string> keywords{
        "gärtnerei",           "kletterrosen kaufen", "apfelbaum pflanzen", "schattenstauden",
        "rasen vertikutieren", "hochbeet bauen",      "heckenschnitt",
    };
    return keywords;
}

const std::vector<ProjectTopic> &otherProjectTopics() {
    static const std::vector<ProjectTopic> topics{
        {kFurnitureDomain,
         {"gartenmöbel", "loungemöbel", "gartentisch", "gartenstuhl", "strandkorb", "sonnenliege",
          "gartenbank", "hollywoodschaukel", "sonnenschirm", "gartenmöbel set", "tisch & stühle",
          "polyrattan möbel", "teakholz gartenmöbel", "balkonmöbel", "hängesessel"},
         {"kaufen", "günstig", "online", "holz", "metall", "angebot", "wetterfest", "klappbar",
          "anthrazit", "reduziert", "outlet"}},
        {kDentistDomain,
         {"zahnarzt", "zahnreinigung", "implantate", "bleaching", "zahnersatz", "wurzelbehandlung",
          "angstpatienten zahnarzt", "zahnarzt notdienst", "veneers",
          "professionelle zahnreinigung"},
         {"kosten", "erfahrungen", "preise", "krankenkasse", "samstag"}},
    };
    return topics;
}

const std::vector<std::string> &places() {
    static const std::vector<std::string> names{
        "kiel",         "lübeck", "hamburg",    "neumünster", "rendsburg",
        "eckernförde",  "plön",   "flensburg",  "husum",      "schleswig",
        "bad segeberg", "preetz", "kronshagen", "heikendorf"};
    return names;
}

} // namespace sandbox::demo
