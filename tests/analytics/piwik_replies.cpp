#include "piwik_replies.h"

namespace piwik {

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n";

void appendRow(std::string &out, const std::vector<Element> &elements, int depth) {
    const std::string indent(depth, '\t');
    out += indent + "<row>\n";
    for (const auto &[name, value] : elements)
        out += indent + "\t<" + name + ">" + value + "</" + name + ">\n";
    out += indent + "</row>\n";
}

} // namespace

std::string rows(const std::vector<std::vector<Element>> &records) {
    std::string out = kDeclaration + "<result>\n";
    for (const auto &record : records)
        appendRow(out, record, 1);
    out += "</result>";
    return out;
}

std::string allSites(const std::vector<Site> &sites) {
    std::vector<std::vector<Element>> records;
    for (const Site &s : sites)
        records.push_back({{"idsite", s.id},
                           {"name", "Site " + s.id},
                           {"main_url", s.mainUrl},
                           {"ts_created", "2012-03-14 09:26:53"},
                           {"ecommerce", "0"},
                           {"sitesearch", "1"},
                           {"sitesearch_keyword_parameters", ""},
                           {"excluded_ips", ""},
                           {"excluded_parameters", ""},
                           {"timezone", "Europe/Berlin"},
                           {"currency", "EUR"},
                           {"group", ""}});
    return rows(records);
}

std::string liveCounters(const std::string &visits, const std::string &actions,
                         const std::string &converted, const std::string &visitors) {
    return rows({{{"visits", visits},
                  {"actions", actions},
                  {"visitsConverted", converted},
                  {"visitors", visitors}}});
}

std::string seoRank(const std::vector<std::pair<std::string, std::string>> &labelAndRank) {
    std::vector<std::vector<Element>> records;
    int id = 0;
    for (const auto &[label, rank] : labelAndRank)
        records.push_back({{"label", label},
                           {"rank", rank},
                           {"logo", "plugins/SEO/images/logo" + std::to_string(id) + ".png"},
                           {"id", "seo" + std::to_string(id++)}});
    return rows(records);
}

std::string referrersDay(const std::vector<Referrer> &referrers) {
    std::vector<std::vector<Element>> records;
    for (const Referrer &r : referrers) {
        std::vector<Element> e{{"label", r.label},
                               {"nb_uniq_visitors", r.visitors},
                               {"nb_visits", r.visits},
                               {"nb_actions", r.actions},
                               {"max_actions", r.maxActions},
                               {"sum_visit_length", r.duration},
                               {"bounce_count", r.bounces}};
        e.push_back({"nb_visits_converted", "0"});
        e.push_back({"idsubdatatable", "17"});
        records.push_back(e);
    }
    return rows(records);
}

std::string referrersMultiDay(const std::vector<Referrer> &referrers) {
    std::vector<std::vector<Element>> records;
    for (const Referrer &r : referrers) {
        std::vector<Element> e{{"label", r.label},
                               {"sum_daily_nb_uniq_visitors", r.visitors},
                               {"nb_actions", r.actions},
                               {"max_actions", r.maxActions},
                               {"sum_visit_length", r.duration},
                               {"bounce_count", r.bounces},
                               {"nb_visits_converted", "0"},
                               {"nb_visits", r.visits}};
        e.push_back({"idsubdatatable", "17"});
        records.push_back(e);
    }
    return rows(records);
}

std::string entryPages(const std::vector<std::string> &urls) {
    std::string out = kDeclaration + "<result>\n";
    if (urls.empty())
        return out + "</result>";
    // The first page on the top level, the others in a folder's subtable.
    out += "\t<row>\n\t\t<label>/index.html</label>\n\t\t<entry_nb_visits>12</entry_nb_visits>\n"
           "\t\t<url>" +
           urls[0] + "</url>\n\t</row>\n";
    out += "\t<row>\n\t\t<label>blog</label>\n\t\t<entry_nb_visits>7</entry_nb_visits>\n"
           "\t\t<subtable>\n";
    for (std::size_t k = 1; k < urls.size(); ++k)
        out += "\t\t\t<row>\n\t\t\t\t<label>/page" + std::to_string(k) +
               "</label>\n\t\t\t\t<entry_bounce_count>1</entry_bounce_count>\n\t\t\t\t<url>" +
               urls[k] + "</url>\n\t\t\t</row>\n";
    out += "\t\t</subtable>\n\t</row>\n</result>";
    return out;
}

} // namespace piwik
