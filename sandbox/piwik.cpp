#include "sandbox/piwik.h"

#include "sandbox/demo_data.h"
#include "sandbox/xml_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>

namespace sandbox::piwik {

namespace {

// Deterministic figures: a hash of what the figure describes, scaled into [low, high).
std::uint64_t hashOf(const std::string &key) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : key)
        h = (h ^ c) * 1099511628211ull;
    return h;
}
double between(const std::string &key, double low, double high) {
    return low + (high - low) * double(hashOf(key) % 100000) / 100000.0;
}
std::string number(double value) {
    return std::to_string(static_cast<long long>(value + 0.5));
}
// 1234567 as "1,234,567", the way the SEO plugin shows large figures.
std::string grouped(long long value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0)
            out += ',';
        out += digits[k];
    }
    return out;
}

int periodDays(const std::string &period) {
    static const std::map<std::string, int> days{
        {"day", 1}, {"week", 7}, {"month", 30}, {"year", 365}};
    const auto it = days.find(period);
    return it == days.end() ? 0 : it->second;
}

bool isDate(const std::string &date) {
    if (date == "today" || date == "yesterday")
        return true;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return false;
    for (int k : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(date[size_t(k)])))
            return false;
    return true;
}

// Figures of one referrer or page row over a period.
struct Figures {
    double visits = 0, visitors = 0, actions = 0, maxActions = 0, length = 0, bounces = 0,
           converted = 0;
};
Figures figuresFor(const std::string &key, double visits) {
    Figures f;
    f.visits = visits;
    f.visitors = visits * between(key + "u", 0.78, 0.95);
    f.actions = visits * between(key + "a", 1.6, 4.2);
    f.maxActions = std::min(std::max(1.0, f.actions), std::floor(between(key + "m", 4, 28)));
    f.length = visits * between(key + "l", 55, 260);
    f.bounces = visits * between(key + "b", 0.25, 0.62);
    f.converted = visits * between(key + "c", 0.0, 0.04);
    return f;
}

// A referrer row of the period in the server's shape; rows with conversions carry goals.
Row referrerRow(const std::string &label, const Figures &f, bool oneDay, Shape shape,
                int subtableId) {
    Referrer r{xmlEscaped(label),    number(f.visitors), number(f.visits),  number(f.actions),
               number(f.maxActions), number(f.length),   number(f.bounces), number(f.converted)};
    Row row = piwik::referrerRow(r, oneDay, shape, f.converted >= 0.5);
    row.add("idsubdatatable", std::to_string(subtableId));
    return row;
}

// What one report request is about.
struct Query {
    const Site *site = nullptr;
    Shape shape = Shape::Today;
    std::string period, date;
    int days = 1;
    std::string key; // site, period and date: the seed of the figures
};

// The site's visits in the period, with a day-to-day swing of about a third.
double periodVisits(const Query &q) {
    return q.site->visitsPerDay * q.days * between(q.key + "visits", 0.7, 1.3);
}

// Splits `total` over the labels by falling weights, drops the rows that get no visit and
// sorts by visits, as Piwik does.
std::vector<std::pair<std::string, double>> share(const Query &q, const std::string &what,
                                                  const std::vector<std::string> &labels,
                                                  double total) {
    std::vector<std::pair<std::string, double>> out;
    double weights = 0;
    std::vector<double> w;
    for (size_t k = 0; k < labels.size(); ++k) {
        w.push_back(between(q.key + what + labels[k], 0.2, 1.0) / double(k + 1));
        weights += w.back();
    }
    for (size_t k = 0; k < labels.size(); ++k) {
        const double visits = std::floor(total * w[k] / weights);
        if (visits >= 1)
            out.emplace_back(labels[k], visits);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    return out;
}

std::string refererTypes(const Query &q) {
    const double visits = periodVisits(q);
    const std::vector<std::pair<std::string, double>> types{
        {"Search Engines", between(q.key + "se", 0.45, 0.62)},
        {"Direct Entry", between(q.key + "de", 0.18, 0.30)},
        {"Websites", between(q.key + "ws", 0.08, 0.18)},
        {"Campaigns", between(q.key + "cp", 0.0, 0.05)}};
    std::vector<Row> rows;
    int subtable = 1;
    for (const auto &[label, part] : types)
        if (visits * part >= 1)
            rows.push_back(referrerRow(label, figuresFor(q.key + label, std::floor(visits * part)),
                                       q.days == 1, q.shape, subtable++));
    return render(rows);
}

std::string refererList(const Query &q, const std::string &what,
                        const std::vector<std::string> &labels, double part) {
    std::vector<Row> rows;
    int subtable = 1;
    for (const auto &[label, visits] : share(q, what, labels, periodVisits(q) * part))
        rows.push_back(referrerRow(label, figuresFor(q.key + what + label, visits), q.days == 1,
                                   q.shape, subtable++));
    return render(rows);
}

// Entry pages, expanded: pages of a folder sit in the folder row's subtable.
std::string entryPages(const Query &q) {
    const Site &site = *q.site;
    std::vector<Row> rows;
    std::map<std::string, size_t> folders; // folder name -> index in rows
    int subtable = 1;
    for (const auto &[path, visits] : share(q, "entry", site.pages, periodVisits(q))) {
        const Figures f = figuresFor(q.key + "entry" + path, visits);
        std::string folder, label = path;
        const size_t slash = path.find('/', 1);
        if (slash != std::string::npos) {
            folder = path.substr(1, slash - 1);
            label = path.substr(slash);
        }
        if (label == "/")
            label = "/index";
        Row page;
        page.add("label", xmlEscaped(label));
        page.add(q.days == 1 ? "nb_uniq_visitors" : "sum_daily_nb_uniq_visitors",
                 number(f.visitors));
        page.add("nb_visits", number(f.visits)).add("nb_hits", number(f.actions));
        page.add("sum_time_spent", number(f.length)).add("entry_nb_visits", number(f.visits));
        page.add("entry_nb_actions", number(f.actions));
        page.add("entry_sum_visit_length", number(f.length));
        page.add("entry_bounce_count", number(f.bounces));
        page.add("avg_time_on_page", number(f.length / std::max(1.0, f.actions)));
        page.add("bounce_rate", number(100 * f.bounces / f.visits) + "%");
        page.add("url", xmlEscaped(site.mainUrl + path));
        if (folder.empty()) {
            rows.push_back(page);
            continue;
        }
        auto at = folders.find(folder);
        if (at == folders.end()) {
            Row folderRow;
            folderRow.add("label", xmlEscaped(folder)).add("nb_visits", "0");
            folderRow.add("entry_nb_visits", "0");
            folderRow.add("idsubdatatable", std::to_string(subtable++));
            folderRow.addTable("subtable", {});
            rows.push_back(folderRow);
            at = folders.emplace(folder, rows.size() - 1).first;
        }
        Row &folderRow = rows[at->second];
        folderRow.children[4].table.push_back(page);
        const std::string sum = number(std::stod(folderRow.children[1].value) + f.visits);
        folderRow.children[1].value = sum;
        folderRow.children[2].value = sum;
    }
    return render(rows);
}

std::string liveCounters(const Site &site, const std::string &lastMinutes, Shape shape) {
    const int minutes = std::max(1, std::atoi(lastMinutes.c_str()));
    const std::string key = std::to_string(site.id) + "live" + lastMinutes;
    const double visits = std::ceil(site.visitsPerDay * minutes / 1440.0 * between(key, 0.6, 1.8));
    return piwik::liveCounters(number(visits), number(visits * between(key + "a", 1.5, 3.5)),
                               number(visits * between(key + "u", 0.8, 0.97)),
                               number(visits * between(key + "c", 0.0, 0.08)), shape);
}

// The SEO plugin's figures for any address; they do not change from day to day, and a site
// asked for by its main address ("Check") or by its bare domain (the project list) gets the same.
// Today's server has lost the PageRank and the Alexa rank.
std::string seoRank(const std::string &url, Shape shape) {
    std::string key = url;
    for (const char *scheme : {"http://", "https://"})
        if (key.rfind(scheme, 0) == 0)
            key.erase(0, std::string(scheme).size());
    while (!key.empty() && key.back() == '/')
        key.pop_back();
    const long long google = static_cast<long long>(between(key + "gi", 80, 2400));
    const SeoFigure pageRank{"pagerank", "Google PageRank", number(between(key + "pr", 1, 6))};
    const SeoFigure googleIndex{"google-index", "Google indexed pages", grouped(google) + " pages"};
    const SeoFigure bingIndex{
        "bing-index", "Bing indexed pages",
        grouped(static_cast<long long>(google * between(key + "bi", 0.4, 0.9))) + " pages"};
    const SeoFigure alexa{"alexa", "Alexa Rank",
                          grouped(static_cast<long long>(between(key + "al", 180000, 9500000)))};
    const SeoFigure age{"domain-age", "Domain Age", number(between(key + "age", 2, 16)) + " years"};
    if (shape == Shape::Today)
        return piwik::seoRank({googleIndex, bingIndex, age}, shape);
    return piwik::seoRank({pageRank, googleIndex, bingIndex, alexa, age}, shape);
}

std::string allSites(const Data &data) {
    std::vector<Row> rows;
    for (const Site &site : data.sites) {
        Row row;
        row.add("idsite", std::to_string(site.id)).add("name", xmlEscaped(site.name));
        row.add("main_url", xmlEscaped(site.mainUrl));
        row.add("ts_created", "2011-0" + std::to_string(1 + site.id % 9) + "-14 09:26:53");
        row.add("ecommerce", site.name.find("Shop") != std::string::npos ? "1" : "0");
        row.add("sitesearch", "1").add("sitesearch_keyword_parameters", "");
        row.add("sitesearch_category_parameters", "").add("excluded_ips", "");
        row.add("excluded_parameters", "").add("timezone", "Europe/Berlin");
        row.add("currency", "EUR").add("group", "");
        rows.push_back(row);
    }
    return render(rows);
}

std::string viewAccessError(const std::string &idSite) {
    return errorReply("You can't access this resource as it requires a 'view' access for the "
                      "website id = " +
                      idSite + ".");
}

} // namespace

std::string reply(const Data &data, const Request &request) {
    std::string method = request.param("method");
    // Today's server knows the referrer kinds only by their new name; the module's other
    // methods answer under both spellings of the module.
    static const std::vector<std::string> known{
        "SitesManager.getAllSites", "Actions.getEntryPageUrls", "Live.getCounters", "SEO.getRank",
        "Referers.getKeywords",     "Referers.getWebsites"};
    const bool today = data.shape == Shape::Today;
    if (today && method.rfind("Referrers.", 0) == 0)
        method = "Referers." + method.substr(std::string("Referrers.").size());
    const bool types =
        today ? method == "Referers.getReferrerType" : method == "Referers.getRefererType";
    if (!types && std::find(known.begin(), known.end(), method) == known.end()) {
        const std::string asked = request.param("method");
        const size_t dot = asked.find('.');
        return errorReply("The method '" +
                          (dot == std::string::npos ? asked : asked.substr(dot + 1)) +
                          "' does not exist or is not available in the module '" +
                          (dot == std::string::npos ? std::string() : asked.substr(0, dot)) + "'.");
    }
    const bool trusted = !data.token.empty() && request.param("token_auth") == data.token;

    if (method == "SitesManager.getAllSites")
        return trusted ? allSites(data)
                       : errorReply("You can't access this resource as it requires a "
                                    "'superuser' access.");
    if (method == "SEO.getRank") {
        if (!request.has("url") || request.param("url").empty())
            return errorReply("Please specify a value for 'url'.");
        return trusted ? seoRank(request.param("url"), data.shape)
                       : errorReply("You can't access this resource as it requires a 'view' "
                                    "access for at least one website.");
    }

    const std::string idSite = request.param("idSite");
    if (idSite.empty())
        return errorReply("Please specify a value for 'idSite'.");
    if (!trusted)
        return viewAccessError(idSite);
    const Site *site = nullptr;
    for (const Site &s : data.sites)
        if (std::to_string(s.id) == idSite)
            site = &s;
    if (!site)
        return errorReply("An unexpected website was found in the request: website id was set "
                          "to '" +
                          idSite + "' .");
    if (method == "Live.getCounters") {
        if (request.param("lastMinutes").empty())
            return errorReply("Please specify a value for 'lastMinutes'.");
        return liveCounters(*site, request.param("lastMinutes"), data.shape);
    }

    Query q;
    q.site = site;
    q.shape = data.shape;
    q.period = request.param("period");
    q.date = request.param("date");
    if (q.period.empty())
        return errorReply("Please specify a value for 'period'.");
    if (q.date.empty())
        return errorReply("Please specify a value for 'date'.");
    q.days = periodDays(q.period);
    if (q.days == 0)
        return errorReply("The period '" + q.period +
                          "' is not supported. Try any of the following instead: day, week, "
                          "month, year, range");
    if (!isDate(q.date))
        return errorReply("Date format must be: YYYY-MM-DD, or 'today' or 'yesterday' or any "
                          "keyword supported by the strtotime function (see "
                          "http://php.net/strtotime for more information): " +
                          q.date);
    q.key = idSite + "|" + q.period + "|" + q.date + "|";

    if (method == "Actions.getEntryPageUrls")
        return entryPages(q);
    if (types)
        return refererTypes(q);
    if (method == "Referers.getKeywords")
        return refererList(q, "kw", site->keywords, 0.5);
    return refererList(q, "web", site->websites, 0.13);
}

Handler handler(Data data) {
    return [data = std::move(data)](const Request &request) -> std::optional<Reply> {
        const std::string &path = request.path;
        const std::string file = "index.php";
        if (path.size() < file.size() ||
            path.compare(path.size() - file.size(), file.size(), file) != 0)
            return std::nullopt;
        if (request.param("module") != "API")
            return std::nullopt;
        return Reply::xml(reply(data, request));
    };
}

Data demoData() {
    Data data;
    data.token = demo::kAnalyticsToken;
    const std::map<int, std::vector<std::string>> keywords{
        {1,
         {"gärtnerei lindenhof", "kletterrosen kaufen", "Keyword not defined", "gärtnerei",
          "apfelbaum pflanzen", "schattenstauden", "hochbeet bauen", "rasen vertikutieren",
          "heckenschnitt wann"}},
        {2,
         {"möbelhaus hartmann", "Keyword not defined", "sofa kaufen", "eckschreibtisch massivholz",
          "boxspringbett 180x200", "küche planen", "möbel abholung"}},
        {3,
         {"zahnarzt seidel", "Keyword not defined", "zahnarzt notdienst",
          "professionelle zahnreinigung", "angstpatienten zahnarzt"}},
        {4,
         {"Keyword not defined", "grüner tee kaufen", "teehaus fennwick", "earl grey lose",
          "matcha pulver", "rooibos vanille", "teeservice japanisch"}}};
    const std::map<int, std::vector<std::string>> websites{
        {1,
         {"www.gartenforum.example", "de.wikipedia.org", "www.facebook.com",
          "branchenbuch-berlin.example", "www.stadtmagazin.example"}},
        {2,
         {"www.wohnideen-blog.example", "www.facebook.com", "www.moebel-vergleich.example",
          "www.pinterest.de"}},
        {3, {"www.arztsuche.example", "www.jameda.example", "www.facebook.com"}},
        {4,
         {"www.teeblog.example", "www.facebook.com", "www.geschenkideen.example",
          "www.pinterest.de", "forum.tee-freunde.example"}}};
    const std::map<int, std::vector<std::string>> pages{
        {2,
         {"/", "/sofas/", "/sofas/ecksofa-bergen.html", "/schlafzimmer/boxspringbetten.html",
          "/kuechen/", "/kuechen/planung.html", "/angebote.html", "/kontakt.html"}},
        {3,
         {"/", "/leistungen/prophylaxe.html", "/leistungen/implantate.html", "/notdienst.html",
          "/team.html"}},
        {4,
         {"/", "/gruener-tee/", "/gruener-tee/matcha.html", "/schwarzer-tee/earl-grey.html",
          "/zubehoer/teeservice.html", "/warenkorb", "/versand.html"}}};
    for (const demo::AnalyticsSite &s : demo::analyticsSites()) {
        Site site{s.id, s.name, s.mainUrl, s.visitsPerDay, keywords.at(s.id), websites.at(s.id),
                  {}};
        if (s.mainUrl == demo::kMainUrl) {
            for (const auto &list : {demo::rankingPages(), demo::unrankedPages()})
                for (const std::string &page : list)
                    site.pages.push_back(page.substr(s.mainUrl.size()));
        } else {
            site.pages = pages.at(s.id);
        }
        data.sites.push_back(site);
    }
    return data;
}

} // namespace sandbox::piwik
