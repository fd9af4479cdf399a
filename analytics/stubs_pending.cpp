// Empty bodies until the analytics client lands; the analytics developer replaces this file.
#include "analytics/check_run.h"
#include "analytics/domain_import.h"
#include "analytics/site_report.h"
#include "analytics/site_table.h"

namespace kf::analytics {
void SiteTable::fetch() {}
void SiteTable::reload() {}
void SiteTable::rebuildList() {}
void CheckRun::run() {}
void SiteReport::step() {}
void SiteReport::EntryPagesReport() {}
void SiteReport::LiveCountersReport() {}
void SiteReport::SeoRankRow() {}
void SiteReport::ReferrerTypesReport() {}
void SiteReport::ReferrerKeywordsReport() {}
void SiteReport::ReferrerWebsitesReport() {}
void importDomainsFromAnalytics(Workspace &) {}
} // namespace kf::analytics
