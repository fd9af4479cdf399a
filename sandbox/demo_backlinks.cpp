#include "sandbox/demo_backlinks.h"

#include "sandbox/demo_data.h"

#include <algorithm>
#include <cctype>

namespace sandbox::demo {

namespace {

using Kind = LinkingPage::Kind;

DemoLink link(const std::string &path, Kind kind, const std::string &domain,
              const std::string &title, const std::string &anchor, const std::string &target,
              bool follow = true, bool inXovi = true, bool inSeokicks = true) {
    return DemoLink{{path, kind, domain, title}, anchor, target, follow, inXovi, inSeokicks};
}

// The domain as the services keep it: no scheme, lower case, no trailing slash.
std::string hostOf(std::string domain) {
    std::transform(domain.begin(), domain.end(), domain.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const char *scheme : {"http://", "https://"})
        if (domain.rfind(scheme, 0) == 0)
            domain.erase(0, std::char_traits<char>::length(scheme));
    while (!domain.empty() && domain.back() == '/')
        domain.pop_back();
    return domain;
}

} // namespace

const std::vector<DemoLink> &demoLinks() {
    static const std::vector<DemoLink> links = [] {
        const std::string &main = kMainDomain;
        const std::string home = kMainUrl + "/";
        const std::string roses = kMainUrl + "/rosen/kletterrosen.html";
        const std::string raisedBed = kMainUrl + "/hochbeet-bauen.html";
        const std::string care = kMainUrl + "/gartenpflege/";
        return std::vector<DemoLink>{
            link("/branchenbuch-kiel/gaertnereien/lindenhof.html", Kind::Mentions, main,
                 "Branchenbuch Kiel: Gärtnereien", "Gärtnerei Lindenhof", home),
            link("/gartenblog-nord/2026/kletterrosen-im-test.html", Kind::Mentions, main,
                 "Gartenblog Nord: Kletterrosen im Test", "Kletterrosen vom Lindenhof", roses),
            link("/gartenblog-nord/2025/hochbeet-anleitung.html", Kind::Mentions, main,
                 "Gartenblog Nord: Hochbeet in einem Wochenende", "Hochbeet bauen", raisedBed, true,
                 false, true),
            link("/kieler-stadtmagazin/einkaufen/pflanzen.html", Kind::Mentions, main,
                 "Kieler Stadtmagazin: Pflanzen kaufen", main, home),
            link("/rosenfreunde-forum/thema-4711.html", Kind::Mentions, main,
                 "Rosenfreunde-Forum: Welche Kletterrose für die Nordseite?", "hier", roses, false),
            link("/obstbau-ratgeber/apfelbaum-pflanzen.html", Kind::Mentions, main,
                 "Obstbau-Ratgeber: Apfelbaum pflanzen", "Apfelbäume vom Lindenhof",
                 kMainUrl + "/obstbaeume/apfelbaum-pflanzen.html"),
            link("/staudenwelt/schattenstauden-liste.html", Kind::Mentions, main,
                 "Staudenwelt: Stauden für den Schatten", "Schattenstauden",
                 kMainUrl + "/stauden/schattenstauden.html"),
            link("/webkatalog/garten/baumschulen-und-gaertnereien.html", Kind::Mentions, main,
                 "Webkatalog: Baumschulen und Gärtnereien", "Website", home),
            link("/gartenblog-nord/2024/rasen-vertikutieren.html", Kind::Silent, main,
                 "Gartenblog Nord: Rasen vertikutieren", "Rasenpflege",
                 kMainUrl + "/gartenpflege/rasen-vertikutieren.html"),
            link("/presseportal-nord/meldung-2026-04-17.html", Kind::Mentions, main,
                 "Presseportal Nord: 40 Jahre Gärtnerei Lindenhof", "Pressemitteilung", home, true,
                 true, false),
            link("/gutscheinportal/gaertnerei-lindenhof.html", Kind::OtherCase, main,
                 "Gutscheinportal: Gärtnerei Lindenhof", "Gutschein", home, false),
            link("/kleingartenverein-wik/links.html", Kind::Mentions, main,
                 "Kleingartenverein Wik: Links", "Gärtnerei Lindenhof", home),
            link("/branchenbuch-deutschland/eintrag-88213.html", Kind::Missing, main,
                 "Branchenbuch Deutschland", "Lindenhof", home),
            link("/alter-webkatalog/garten.html", Kind::Redirects, main, "Alter Webkatalog",
                 "Gärtnerei", home),
            link("/regionalportal-sh/gartenbau.html", Kind::NeverAnswers, main,
                 "Regionalportal Schleswig-Holstein: Gartenbau", "Gartenbau Lindenhof", home),
            link("/marktplatz-kiel/anbieter/pflanzen.html", Kind::Silent, main,
                 "Marktplatz Kiel: Pflanzen", "Pflanzen", home, false),
            link("/heckenschnitt-forum/beitrag-1203.html", Kind::Mentions, main,
                 "Heckenschnitt-Forum: Wann schneiden?", "Heckenschnitt-Service",
                 kMainUrl + "/gartenpflege/heckenschnitt.html", true, true, false),
            link("/bienenfreundlich/gaerten.html", Kind::Mentions, main, "Bienenfreundliche Gärten",
                 "Stauden für Bienen", kMainUrl + "/stauden/"),
            link("/hochzeitsplaner/blumenschmuck.html", Kind::Mentions, main,
                 "Hochzeitsplaner: Blumenschmuck", "Rosen", kMainUrl + "/rosen/", true, false,
                 true),
            link("/landfrauen-sh/ausflugsziele.html", Kind::Mentions, main,
                 "Landfrauen: Ausflugsziele", "Lindenhof", care),

            link("/branchenbuch-kiel/moebel/hartmann.html", Kind::Mentions, kFurnitureDomain,
                 "Branchenbuch Kiel: Möbelhäuser", "Möbelhaus Hartmann",
                 "http://" + kFurnitureDomain + "/"),
            link("/wohnblog/gartenmoebel-2026.html", Kind::Mentions, kFurnitureDomain,
                 "Wohnblog: Gartenmöbel 2026", "Loungemöbel",
                 "http://" + kFurnitureDomain + "/loungemoebel/"),
            link("/vergleichsportal/strandkorb.html", Kind::Mentions, kFurnitureDomain,
                 "Vergleichsportal: Strandkörbe", "Strandkorb kaufen",
                 "http://" + kFurnitureDomain + "/strandkorb/", false),
            link("/kieler-stadtmagazin/einkaufen/moebel.html", Kind::Silent, kFurnitureDomain,
                 "Kieler Stadtmagazin: Möbel", "Möbel", "http://" + kFurnitureDomain + "/"),

            link("/branchenbuch-kiel/zahnaerzte/seidel.html", Kind::Mentions, kDentistDomain,
                 "Branchenbuch Kiel: Zahnärzte", "Zahnarztpraxis Dr. Seidel",
                 "http://" + kDentistDomain + "/"),
            link("/arztsuche/kiel/zahnarzt-seidel.html", Kind::Mentions, kDentistDomain,
                 "Arztsuche: Dr. Seidel", "Profil", "http://" + kDentistDomain + "/"),
            link("/gesundheitsforum/angst-vorm-zahnarzt.html", Kind::Mentions, kDentistDomain,
                 "Gesundheitsforum: Angst vorm Zahnarzt", "Angstpatienten",
                 "http://" + kDentistDomain + "/angstpatienten-zahnarzt/", false),
        };
    }();
    return links;
}

std::vector<Backlink> backlinksOf(const std::string &domain, Source source,
                                  const std::string &webBase) {
    const std::string host = hostOf(domain);
    std::vector<Backlink> out;
    for (const DemoLink &l : demoLinks()) {
        if (l.page.domain != host || !(source == Source::Xovi ? l.inXovi : l.inSeokicks))
            continue;
        out.push_back({webBase + l.page.path, l.anchor, l.target, l.follow});
    }
    return out;
}

XoviBacklinkData xoviBacklinkData(const std::string &key, const std::string &webBase) {
    XoviBacklinkData data;
    data.key = key;
    data.otherwise = [webBase](const std::string &domain) {
        return backlinksOf(domain, Source::Xovi, webBase);
    };
    return data;
}

SeokicksData seokicksData(const std::string &appid, const std::string &webBase) {
    SeokicksData data;
    data.appid = appid;
    data.otherwise = [webBase](const std::string &query) {
        return backlinksOf(query, Source::Seokicks, webBase);
    };
    return data;
}

Handler linkingPages(int slowPageMs) {
    std::vector<LinkingPage> pages;
    for (const DemoLink &l : demoLinks())
        pages.push_back(l.page);
    return webPages(std::move(pages), slowPageMs);
}

} // namespace sandbox::demo
