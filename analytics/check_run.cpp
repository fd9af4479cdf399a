#include "analytics/check_run.h"

#include "analytics/grid_cells.h"
#include "analytics/token_post.h"
#include "core/long_run.h"
#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

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

void CheckRun::run() {
    // A click on "Check" during one of the run's pauses starts no second run on top of it.
    LongRun progress(ws_, QStringLiteral("Button1Click"));
    if (!progress.started())
        return;
    ws_.analyticsServerMessage.clear();
    const Controls &ui = ws_.ui;
    mapChoice(ui.ComboBox2->currentText(), kPeriods, ws_.PeriodParam);
    mapChoice(ui.ComboBox1->currentText(), kLiveWindows, ws_.LiveMinutesParam);

    ResetReportGrid(ui.StringGrid3->grid(),
                    {QStringLiteral("Nr."), QStringLiteral("Domain"),
                     QStringLiteral("Google Pagerank"), QStringLiteral("Index-Google"),
                     QStringLiteral("Index-Bing"), QStringLiteral("Alexa-Rank")});
    ResetReportGrid(ui.StringGrid2->grid(),
                    {QStringLiteral("Nr."), QStringLiteral("Keyword"), QStringLiteral("Besucher"),
                     QStringLiteral("Besuche"), QStringLiteral("Aufenthaltsdauer (sek)"),
                     QStringLiteral("Absprünge")});
    ResetReportGrid(ui.StringGrid4->grid(),
                    {QStringLiteral("Nr."), QStringLiteral("Seite"), QStringLiteral("Besucher"),
                     QStringLiteral("Besuche"), QStringLiteral("Aktionen"),
                     QStringLiteral("max Aktionen"), QStringLiteral("Aufenthaltsdauer (sek.)"),
                     QStringLiteral("Absprünge")});

    Memo &ueberblick = ui.ueberblick->memo();
    ueberblick.prepare();
    ueberblick.addLine(QStringLiteral("Datum: ") +
                       ui.MonthCalendar1->selectedDate().toString(QStringLiteral("yyyy-MM-dd")));

    ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Analyse läuft ... "));

    const int count = ui.ListBox1->count();
    progress.setTotal(int(ui.ListBox1->selectedItems().size()));
    int done = 0;
    // Cancelling (or closing the window) stops the run before its next site; what the sites
    // before it reported stays.
    for (int k = 0; k < count && !progress.cancelled(); ++k) {
        // The operator may rebuild the list during a pause; a vanished item is not selected.
        const QListWidgetItem *item = ui.ListBox1->item(k);
        if (!item || !item->isSelected())
            continue;
        const StringGrid &sites = ui.StringGrid1->grid();
        ws_.SiteId = shownCell(sites, 0, k);
        ws_.SiteName = shownCell(sites, 1, k);
        ui.Button2->click(); // the per-site report step
        progress.step(++done);
        progress.pause(1000);
    }

    ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Analyse fertig gestellt ..."));
    showServerMessage(ws_);
}

} // namespace kf::analytics
