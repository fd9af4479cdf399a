#pragma once

#include "analytics/label_translation.h"
#include "analytics/site_table.h"

#include <QDate>
#include <QString>
#include <functional>

namespace kf {

struct Session;
class Memo;
class StringGrid;

namespace analytics {

// The report a check run asks of every site, as the radio buttons of "Auswahl" choose it.
enum class ReportKind { None, Overview, Keywords, Websites, SeoData, Live, EntryPages };

// What the per-site step reads besides SiteId and SiteName: the server, the report, the day
// chosen in the calendar and the period choice as the operator sees it.
struct ReportSettings {
    AnalyticsServer server;
    ReportKind kind = ReportKind::None;
    QDate date;
    QString periodText;
};

// The per-site report step (the hidden Button2) and its report builders.
class SiteReport {
public:
    explicit SiteReport(Session &ws) : ws_(ws) {}

    // The report of `settings` for the site in SiteId and SiteName.
    void step(const ReportSettings &settings);
    // The date the reports ask for: the chosen day in the short format in force.
    const QString &reportDate() const { return reportDate_; }

    void EntryPagesReport();
    void LiveCountersReport();
    void SeoRankRow();
    // The SEO figures of the site in SiteName from `server` (the SEO-data check's row).
    void SeoRankRow(const AnalyticsServer &server);
    void ReferrerTypesReport();
    void ReferrerKeywordsReport();
    void ReferrerWebsitesReport();

private:
    enum class Referrers { Types, Keywords, Websites };

    // The frame every builder shares: RequestUrl := address + method path and parameters +
    // token; speich prepared; then, guarded, the fetch into speich, its tag-per-line rewrite and
    // the builder's reading of the reply. Any failure ends the reading silently.
    void request(const QString &methodAndParams,
                 const std::function<void(const QString &reply)> &read);
    void referrerReport(Referrers kind);

    Session &ws_;
    ReportSettings settings_;
    QString reportDate_;
    LabelTranslation translation_;
};

} // namespace analytics
} // namespace kf
