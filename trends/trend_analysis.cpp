#include "trends/trend_analysis.h"

#include "core/long_run.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "xovi/xovi_request.h"

#include <QCoreApplication>

namespace kf::trends {

const QString TrendAnalysis::kSearchEngine = QStringLiteral("google.de");

namespace {

// The value of a trend reply stands on this line of its tag-per-line text.
constexpr int kValueLine = 24;

} // namespace

bool TrendAnalysis::run(const TrendRequest &request) {
    // Between requests the window repaints and takes clicks: a second "Analyse" then is ignored.
    LongRun run(ws_, QStringLiteral("Button5Click"));
    if (!run.started())
        return false;
    // The caption the window had comes back when the run ends; what a cancelled run left there
    // is no caption to come back to. A cancelled run keeps its own progress text instead, so that
    // the mark the run adds says where it stopped.
    const QString found = ws_.caption();
    const QString caption = found.endsWith(kCancelMark) ? ws_.WindowTitle : found;
    struct Done {
        Session &ws;
        LongRun &run;
        QString caption;
        ~Done() {
            if (!run.stopped())
                ws.setCaption(caption);
        }
    } done{ws_, run, caption};

    bool complete = true;
    QString domain = request.domain;
    if (!domain.isEmpty()) {
        domain.remove(QStringLiteral("http://"), Qt::CaseInsensitive);
        StringGrid &grid = ws_.grid5();
        for (int row = 0; row < grid.rowCount(); ++row)
            grid.clearRow(row);
        grid.setRowCount(1);
        grid.setCell(0, 0, QStringLiteral("Nr."));
        grid.setCell(1, 0, QStringLiteral("Keyword"));
        grid.setCell(2, 0, QStringLiteral("Tag"));
        grid.setRowCount(2);
        grid.setColCount(3);
        ws_.speich().prepare();

        // A failed request ends the whole table without a message, and so does a cancel; what
        // was filled stays.
        complete = ws_.attempt([&] { fillTable(domain, request, run); });
        // The row of the last keyword comes into view.
        grid.setRowCount(grid.rowCount() + 1);
    }
    // Shown for the operator to try by hand; never sent.
    ws_.speich().addLine(
        xovi::requestUrl(request.xoviKey, QStringLiteral("seo"), QStringLiteral("getKeywordTrend"),
                         QStringLiteral("&domain=") + domain +
                             QStringLiteral("&keyword=seo&sengine=") + request.sampleEngine));
    return complete && !run.stopped();
}

void TrendAnalysis::fillTable(const QString &domain, const TrendRequest &request, LongRun &run) {
    const QStringList &dates = request.dates;
    StringGrid &grid = ws_.grid5();
    run.setTotal(int(request.keywords.size() * dates.size()));
    int done = 0;
    for (int k = 0; k < request.keywords.size() && !run.cancelled(); ++k) {
        const QString keyword = QString(request.keywords[k]).replace(u' ', u'+');
        // Back to three columns: the dates come again, and the earlier keywords' values, kept
        // in the hidden cells, reappear with them.
        const int row = grid.rowCount() + 1;
        grid.setRowCount(row);
        grid.setColCount(3);
        for (const QString &date : dates) {
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
            fetchValue(domain, keyword, date, row, col, request.xoviKey);
            run.step(++done);
        }
    }
}

void TrendAnalysis::fetchValue(const QString &domain, const QString &keyword, const QString &date,
                               int row, int col, const QString &key) {
    ws_.fetchIntoSpeich(xovi::requestUrl(
        key, QStringLiteral("seo"), QStringLiteral("getKeywordTrend"),
        QStringLiteral("&domain=") + domain + QStringLiteral("&keyword=") + keyword +
            QStringLiteral("&sengine=") + kSearchEngine + QStringLiteral("&date=") + date));
    StringGrid &grid = ws_.grid5();
    grid.setCell(0, row, QString::number(row));
    grid.setCell(1, row, keyword);
    grid.setCell(col, row, ws_.speich().line(kValueLine));
    FitColumns(grid, 40);
}

} // namespace kf::trends
