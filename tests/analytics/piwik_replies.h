#pragma once

#include <string>
#include <utility>
#include <vector>

// Replies shaped like a Piwik server's XML: declaration line, LF line ends, tab indentation,
// a <result> root with <row> records.
namespace piwik {

using Element = std::pair<std::string, std::string>; // name, value

// One <row> per element list, at depth 1 below <result>.
std::string rows(const std::vector<std::vector<Element>> &records);

struct Site {
    std::string id, mainUrl;
};
// SitesManager.getAllSites: idsite, name, main_url, then the site's other settings.
std::string allSites(const std::vector<Site> &sites);

// Live.getCounters: its single row's first four values are visits, actions, converted visits
// and visitors.
std::string liveCounters(const std::string &visits, const std::string &actions,
                         const std::string &converted, const std::string &visitors);

// SEO.getRank: rows of label, rank, logo, id.
std::string seoRank(const std::vector<std::pair<std::string, std::string>> &labelAndRank);

struct Referrer {
    std::string label, visitors, visits, actions, maxActions, duration, bounces;
};
// Referrer rows for one day: label, unique visitors, visits, actions, max actions, visit
// length, bounces, then more figures.
std::string referrersDay(const std::vector<Referrer> &referrers);
// Referrer rows summed over several days: label, summed daily visitors, actions, max actions,
// visit length, bounces, converted visits, visits, then more figures.
std::string referrersMultiDay(const std::vector<Referrer> &referrers);

// Actions.getEntryPageUrls with expanded=1: a folder row with a subtable whose rows carry
// the urls, the first url on the top level.
std::string entryPages(const std::vector<std::string> &urls);

} // namespace piwik
