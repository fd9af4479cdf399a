#pragma once

#include "sandbox/piwik_xml.h"

#include <string>
#include <utility>
#include <vector>

// Replies shaped like an analytics server's XML (the stand-in's writer, sandbox/piwik_xml.h):
// declaration line, LF line ends, tab indentation, a <result> root with <row> records. The
// shape of the Parts' classic server unless today's is asked for.
namespace piwik {

using sandbox::piwik::Shape;
using Element = std::pair<std::string, std::string>; // name, value

// One <row> per element list, at depth 1 below <result>.
std::string rows(const std::vector<std::vector<Element>> &records);

struct Site {
    std::string id, mainUrl;
};
// SitesManager.getAllSites: idsite, name, main_url, then the site's other settings.
std::string allSites(const std::vector<Site> &sites);

// Live.getCounters of a classic server: visits, actions, converted visits, visitors.
std::string liveCounters(const std::string &visits, const std::string &actions,
                         const std::string &converted, const std::string &visitors,
                         Shape shape = Shape::Classic);

// SEO.getRank: rows of label, rank, logo, id ("seo0", "seo1", ... unless given).
std::string seoRank(const std::vector<std::pair<std::string, std::string>> &labelAndRank);

using Referrer = sandbox::piwik::Referrer;
// Referrer rows for one day: label, unique visitors, visits, actions, max actions, visit
// length, bounces, then more figures (today's server: nb_users after the actions, and goals).
std::string referrersDay(const std::vector<Referrer> &referrers, Shape shape = Shape::Classic,
                         bool goals = false);
// Referrer rows summed over several days: label, visits, actions, max actions, visit length,
// bounces, converted visits, summed daily visitors, then more figures.
std::string referrersMultiDay(const std::vector<Referrer> &referrers, Shape shape = Shape::Classic,
                              bool goals = false);

// Actions.getEntryPageUrls with expanded=1: a folder row with a subtable whose rows carry
// the urls, the first url on the top level.
std::string entryPages(const std::vector<std::string> &urls);

} // namespace piwik
