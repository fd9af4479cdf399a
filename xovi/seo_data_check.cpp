#include "xovi/seo_data_check.h"

#include "analytics/token_post.h"

#include "core/long_run.h"
#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QListWidget>

namespace kf::xovi {

void CheckSeoData(Workspace &ws, const std::function<void()> &seoRankRow) {
    // A "Check" during one of the pauses starts no second walk on top of this one.
    LongRun run(ws, QStringLiteral("Button3Click"));
    if (!run.started())
        return;
    ws.analyticsServerMessage.clear();
    const Controls &ui = ws.ui;
    StringGrid &grid = ui.StringGrid3->grid();
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.clearRow(row);
    grid.setRowCount(1);
    const QStringList titles{QStringLiteral("Nr."),
                             QStringLiteral("Domain"),
                             QStringLiteral("Google Pagerank"),
                             QStringLiteral("Index-Google"),
                             QStringLiteral("Index-Bing"),
                             QStringLiteral("Alexa-Rank")};
    for (int col = 0; col < titles.size(); ++col)
        grid.setCell(col, 0, titles[col]);
    grid.setColCount(int(titles.size()));
    FitColumns(grid, 40);

    // The domains go through the hidden list, one per line, so that a change to ListBox2 during
    // a pause does not disturb the run.
    Memo &domains = ui.sonst_urls->memo();
    QString text;
    for (int k = 0; k < ui.ListBox2->count(); ++k)
        text += ui.ListBox2->item(k)->text() + QStringLiteral("\r\n");
    domains.prepare();
    domains.setText(text);

    const int count = domains.lineCount();
    run.setTotal(count);
    // Cancelling stops the walk before its next domain; the rows so far stay.
    for (int j = 0; j < count && !run.cancelled(); ++j) {
        const QString domain = domains.line(j);
        ws.SiteName = domain;
        seoRankRow();
        ws.setCaption(ws.WindowTitle + QStringLiteral(" checke: ") + domain +
                      QStringLiteral(" Nr.:") + QString::number(j) + QStringLiteral(" / ") +
                      QString::number(count - 1));
        run.step(j + 1);
        run.pause(1000);
    }
    analytics::showServerMessage(ws);
}

} // namespace kf::xovi
