#pragma once

#include "analytics/site_report.h"

#include <QList>
#include <QString>

namespace kf {

struct Session;

namespace analytics {

// What "Check" of the panel "Auswahl" is asked for: the rows of the site table to report on,
// in order, the period and live-window choices as the operator sees them, the report, and the
// pause after each site.
struct CheckRequest {
    QList<int> siteRows;
    QString periodText;
    QString liveMinutesText;
    ReportSettings report;
    int pauseMs = 1000;
};

// "Check": resets the report grids and walks the sites through the per-site step.
class CheckRun {
public:
    CheckRun(Session &ws, SiteReport &report) : ws_(ws), report_(report) {}
    // The number of sites reported on (fewer than asked after a cancel); 0 when another check
    // run is in progress.
    int run(const CheckRequest &request);

private:
    Session &ws_;
    SiteReport &report_;
};

} // namespace analytics
} // namespace kf
