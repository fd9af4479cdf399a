#include "piwik_replies.h"

namespace piwik {

namespace {

using sandbox::piwik::Row;

Row rowOf(const std::vector<Element> &elements) {
    Row row;
    for (const auto &[name, value] : elements)
        row.add(name, value);
    return row;
}

std::string referrers(const std::vector<Referrer> &referrers, bool oneDay, Shape shape,
                      bool goals) {
    std::vector<Row> out;
    for (const Referrer &r : referrers)
        out.push_back(
            sandbox::piwik::referrerRow(r, oneDay, shape, goals).add("idsubdatatable", "17"));
    return sandbox::piwik::render(out);
}

} // namespace

std::string rows(const std::vector<std::vector<Element>> &records) {
    std::vector<Row> out;
    for (const auto &record : records)
        out.push_back(rowOf(record));
    return sandbox::piwik::render(out);
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
                         const std::string &converted, const std::string &visitors, Shape shape) {
    return sandbox::piwik::liveCounters(visits, actions, visitors, converted, shape);
}

std::string seoRank(const std::vector<std::pair<std::string, std::string>> &labelAndRank) {
    std::vector<sandbox::piwik::SeoFigure> figures;
    for (const auto &[label, rank] : labelAndRank)
        figures.push_back({"seo" + std::to_string(figures.size()), label, rank});
    return sandbox::piwik::seoRank(figures, Shape::Classic);
}

std::string referrersDay(const std::vector<Referrer> &list, Shape shape, bool goals) {
    return referrers(list, true, shape, goals);
}

std::string referrersMultiDay(const std::vector<Referrer> &list, Shape shape, bool goals) {
    return referrers(list, false, shape, goals);
}

std::string entryPages(const std::vector<std::string> &urls) {
    if (urls.empty())
        return rows({});
    // The first page on the top level, the others in a folder's subtable.
    std::vector<Row> pages;
    for (std::size_t k = 1; k < urls.size(); ++k)
        pages.push_back(rowOf({{"label", "/page" + std::to_string(k)},
                               {"entry_bounce_count", "1"},
                               {"url", urls[k]}}));
    Row folder = rowOf({{"label", "blog"}, {"entry_nb_visits", "7"}});
    folder.addTable("subtable", pages);
    return sandbox::piwik::render(
        {rowOf({{"label", "/index.html"}, {"entry_nb_visits", "12"}, {"url", urls[0]}}), folder});
}

} // namespace piwik
