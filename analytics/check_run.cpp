#include "analytics/check_run.h"

#include "analytics/grid_cells.h"
#include "analytics/token_post.h"
#include "core/handler_frame.h"
#include "core/long_run.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

#include <utility>

namespace kf::analytics {

namespace {

using Mapping = std::pair<const char16_t *, const char16_t *>;

// Period choice to query part; the initial text of the combo box asks for days.
const Mapping kPeriods[] = {
    {u"Periode - Zeitraum ", u"period=day"},
    {u"Tag", u"period=day"},
    {u"Woche", u"period=week"},
    {u"Monat", u"period=month"},
};

// Live window to query part; "20" and "25" can be typed although the list does not offer them.
const Mapping kLiveWindows[] = {
    {u"Live-Check-Abfrage", u"lastMinutes=30"},
    {u"5", u"lastMinutes=5"},
    {u"10", u"lastMinutes=10"},
    {u"15", u"lastMinutes=15"},
    {u"20", u"lastMinutes=20"},
    {u"25", u"lastMinutes=25"},
    {u"30", u"lastMinutes=30"},
    {u"35", u"lastMinutes=35"},
    {u"40", u"lastMinutes=40"},
    {u"45", u"lastMinutes=45"},
    {u"50", u"lastMinutes=50"},
};

// A text that matches no entry leaves the previous value in place.
template <std::size_t N>
void mapChoice(const QString &text, const Mapping (&table)[N], QString &target) {
    for (const auto &[choice, value] : table)
        if (text == QStringView(choice))
            target = QString::fromUtf16(value);
}

} // namespace

int CheckRun::run(const CheckRequest &request) {
    // A click on "Check" during one of the run's pauses starts no second run on top of it.
    LongRun progress(ws_, QStringLiteral("Button1Click"));
    if (!progress.started())
        return 0;
    ws_.analyticsServerMessage.clear();
    mapChoice(request.periodText, kPeriods, ws_.PeriodParam);
    mapChoice(request.liveMinutesText, kLiveWindows, ws_.LiveMinutesParam);

    ResetReportGrid(ws_.grid3(), {QStringLiteral("Nr."), QStringLiteral("Domain"),
                                  QStringLiteral("Google Pagerank"), QStringLiteral("Index-Google"),
                                  QStringLiteral("Index-Bing"), QStringLiteral("Alexa-Rank")});
    ResetReportGrid(ws_.grid2(),
                    {QStringLiteral("Nr."), QStringLiteral("Keyword"), QStringLiteral("Besucher"),
                     QStringLiteral("Besuche"), QStringLiteral("Aufenthaltsdauer (sek)"),
                     QStringLiteral("Absprünge")});
    ResetReportGrid(ws_.grid4(),
                    {QStringLiteral("Nr."), QStringLiteral("Seite"), QStringLiteral("Besucher"),
                     QStringLiteral("Besuche"), QStringLiteral("Aktionen"),
                     QStringLiteral("max Aktionen"), QStringLiteral("Aufenthaltsdauer (sek.)"),
                     QStringLiteral("Absprünge")});

    Memo &ueberblick = ws_.ueberblick();
    ueberblick.prepare();
    ueberblick.addLine(QStringLiteral("Datum: ") +
                       request.report.date.toString(QStringLiteral("yyyy-MM-dd")));

    ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Analyse läuft ... "));

    progress.setTotal(int(request.siteRows.size()));
    int done = 0;
    // Cancelling (or closing the window) stops the run before its next site; what the sites
    // before it reported stays.
    for (int k = 0; k < request.siteRows.size() && !progress.cancelled(); ++k) {
        // The site table is read when the site's turn comes.
        const StringGrid &sites = ws_.grid1();
        ws_.SiteId = shownCell(sites, 0, request.siteRows[k]);
        ws_.SiteName = shownCell(sites, 1, request.siteRows[k]);
        // The per-site step: a failure shows its box, and the run goes on with the next site.
        runHandler([&] { report_.step(request.report); });
        progress.step(++done);
        progress.pause(request.pauseMs);
    }

    ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Analyse fertig gestellt ..."));
    showServerMessage(ws_);
    return done;
}

} // namespace kf::analytics
