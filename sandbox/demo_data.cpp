#include "sandbox/demo_data.h"

namespace sandbox::demo {

const std::vector<AnalyticsSite> &analyticsSites() {
    static const std::vector<AnalyticsSite> sites{
        {1, "Gärtnerei Lindenhof", "http://www.lindenhof-gaertnerei.example", 420},
        {2, "Möbelhaus Hartmann", "http://www.moebel-hartmann.example", 1350},
        {3, "Zahnarztpraxis Dr. Seidel", "http://www.zahnarzt-seidel.example", 95},
        {4, "Teehaus Fennwick Shop", "http://shop.teehaus-fennwick.example", 610},
    };
    return sites;
}

const std::vector<std::string> &projectDomains() {
    static const std::vector<std::string> domains{
        kMainDomain,
        "www.moebel-hartmann.example",
        "www.zahnarzt-seidel.example",
    };
    return domains;
}

const std::vector<std::string> &rankingPages() {
    static const std::vector<std::string> pages{
        kMainUrl + "/",
        kMainUrl + "/rosen/",
        kMainUrl + "/rosen/kletterrosen.html",
        kMainUrl + "/rosen/beetrosen.html",
        kMainUrl + "/obstbaeume/",
        kMainUrl + "/obstbaeume/apfelbaum-pflanzen.html",
        kMainUrl + "/stauden/",
        kMainUrl + "/stauden/schattenstauden.html",
        kMainUrl + "/gartenpflege/",
        kMainUrl + "/gartenpflege/rasen-vertikutieren.html",
        kMainUrl + "/gartenpflege/heckenschnitt.html",
        kMainUrl + "/hochbeet-bauen.html",
        kMainUrl + "/kontakt.html",
    };
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

} // namespace sandbox::demo
