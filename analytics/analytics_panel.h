#pragma once

#include "analytics/check_run.h"
#include "analytics/site_report.h"

namespace kf {

struct Workspace;

namespace analytics {

// The panel "Auswahl": "Check" and the hidden per-site step read their requests from its
// controls and the calendar.
class AnalyticsPanel {
public:
    explicit AnalyticsPanel(Workspace &ws);

    void check(); // Button1Click
    void step();  // Button2Click
    // The SEO figures of the site in SiteName as a row of StringGrid3 (the SEO-data check's).
    void seoRankRow();

private:
    ReportSettings settings() const;
    void showReportDate();

    Workspace &ws_;
    SiteReport report_;
    CheckRun checkRun_;
};

} // namespace analytics
} // namespace kf
