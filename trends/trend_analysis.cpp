#include "trends/trend_analysis.h"

#include "core/handler_frame.h"
#include "core/long_run.h"
#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "trends/ranking_chart_view.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"
#include "xovi/xovi_request.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>

namespace kf::trends {

const QString TrendAnalysis::kSearchEngine = QStringLiteral("google.de");

namespace {

// The value of a trend reply stands on this line of its tag-per-line text.
constexpr int kValueLine = 24;

// The selected item of ListBox2, empty when there is none.
QString selectedItem(const QListWidget *domains) {
    const auto selected = domains->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace

void TrendAnalysis::run() {
    // Between requests the window repaints and takes clicks: a second "Analyse" then is ignored.
    LongRun run(ws_, QStringLiteral("Button5Click"));
    if (!run.started())
        return;
    // The caption the window had comes back when the run ends; what a cancelled run left there
    // is no caption to come back to. A cancelled run keeps its own progress text instead, so that
    // the mark the run adds says where it stopped.
    const QString found = ws_.caption();
    const QString caption = found.endsWith(kCancelMark) ? ws_.WindowTitle : found;
    struct Done {
        Workspace &ws;
        LongRun &run;
        QString caption;
        ~Done() {
            if (!run.stopped())
                ws.setCaption(caption);
        }
    } done{ws_, run, caption};

    QString domain = selectedItem(ws_.ui.ListBox2);
    if (!domain.isEmpty()) {
        domain.remove(QStringLiteral("http://"), Qt::CaseInsensitive);
        StringGrid &grid = ws_.ui.StringGrid5->grid();
        for (int row = 0; row < grid.rowCount(); ++row)
            grid.clearRow(row);
        grid.setRowCount(1);
        grid.setCell(0, 0, QStringLiteral("Nr."));
        grid.setCell(1, 0, QStringLiteral("Keyword"));
        grid.setCell(2, 0, QStringLiteral("Tag"));
        grid.setRowCount(2);
        grid.setColCount(3);
        ws_.ui.speich->memo().prepare();

        // A failed request ends the whole table without a message, and so does a cancel; what
        // was filled stays.
        guarded([&] { fillTable(domain, run); });
        // The row of the last keyword comes into view.
        grid.setRowCount(grid.rowCount() + 1);
    }
    appendSampleRequest(domain);
    // The chart shows the table as the run left it, complete or not.
    refreshRankingChart(ws_);
}

void TrendAnalysis::fillTable(const QString &domain, LongRun &run) {
    const QListWidget *keywords = ws_.ui.kw_analyze;
    const QListWidget *dates = ws_.ui.ListBox3;
    StringGrid &grid = ws_.ui.StringGrid5->grid();
    run.setTotal(int(keywords->selectedItems().size()) * dates->count());
    int done = 0;
    for (int k = 0; k < keywords->count() && !run.cancelled(); ++k) {
        const QListWidgetItem *item = keywords->item(k);
        if (!item || !item->isSelected())
            continue;
        const QString keyword = QString(item->text()).replace(u' ', u'+');
        // Back to three columns: the dates come again, and the earlier keywords' values, kept
        // in the hidden cells, reappear with them.
        const int row = grid.rowCount() + 1;
        grid.setRowCount(row);
        grid.setColCount(3);
        for (int d = 0; d < dates->count(); ++d) {
            const QString date = dates->item(d)->text();
            // Up to 52 requests per keyword: the window shows where the run is, keeps painting
            // and may take a cancel before the request goes out.
            ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Rankingverlauf: ") + keyword +
                           QStringLiteral(" - ") + date);
            QCoreApplication::processEvents();
            if (run.cancelled())
                return;
            const int col = grid.colCount();
            grid.setCell(col, 0, date);
            grid.setColCount(col + 1);
            fetchValue(domain, keyword, date, row, col);
            run.step(++done);
        }
    }
}

void TrendAnalysis::fetchValue(const QString &domain, const QString &keyword, const QString &date,
                               int row, int col) {
    const Controls &ui = ws_.ui;
    ws_.fetchIntoSpeich(xovi::requestUrl(
        ui.xovi_api_key->text(), QStringLiteral("seo"), QStringLiteral("getKeywordTrend"),
        QStringLiteral("&domain=") + domain + QStringLiteral("&keyword=") + keyword +
            QStringLiteral("&sengine=") + kSearchEngine + QStringLiteral("&date=") + date));
    StringGrid &grid = ui.StringGrid5->grid();
    grid.setCell(0, row, QString::number(row));
    grid.setCell(1, row, keyword);
    grid.setCell(col, row, ui.speich->memo().line(kValueLine));
    FitColumns(grid, 40);
}

void TrendAnalysis::appendSampleRequest(const QString &domain) {
    // Shown for the operator to try by hand; never sent.
    ws_.ui.speich->memo().addLine(xovi::requestUrl(
        ws_.ui.xovi_api_key->text(), QStringLiteral("seo"), QStringLiteral("getKeywordTrend"),
        QStringLiteral("&domain=") + domain + QStringLiteral("&keyword=seo&sengine=") +
            ws_.ui.sengine->currentText()));
}

} // namespace kf::trends
