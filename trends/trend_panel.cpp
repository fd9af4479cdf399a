#include "trends/trend_panel.h"

#include "core/data_folder.h"
#include "core/workspace.h"
#include "trends/date_table.h"
#include "trends/ranking_chart_view.h"
#include "trends/trend_analysis.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace kf::trends {

namespace {

QStringList itemTexts(const QListWidget *list, bool selectedOnly) {
    QStringList texts;
    for (int k = 0; k < list->count(); ++k)
        if (!selectedOnly || list->item(k)->isSelected())
            texts.append(list->item(k)->text());
    return texts;
}

// The selected entry, empty when none is selected.
QString selectedText(const QListWidget *list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace

void runTrendAnalysis(Workspace &ws) {
    // A second "Analyse" during the run's pauses is ignored, the chart too.
    if (ws.runs.running(QStringLiteral("Button5Click")))
        return;
    const Controls &ui = ws.ui;
    TrendAnalysis(ws).run({selectedText(ui.ListBox2), itemTexts(ui.kw_analyze, true),
                           itemTexts(ui.ListBox3, false), ui.xovi_api_key->text(),
                           ui.sengine->currentText()});
    // The chart shows the table as the run left it, complete or not.
    refreshRankingChart(ws);
}

void chooseYear(Workspace &ws) {
    const QString file = ws.path(QStringLiteral("db\\") + ws.ui.auswahl_jahr->currentText());
    if (!fileExists(file))
        return;
    const QStringList dates = yearDates(ws, ws.ui.auswahl_jahr->currentText());
    ws.ui.ListBox3->clear();
    ws.ui.ListBox3->addItems(dates);
}

} // namespace kf::trends
