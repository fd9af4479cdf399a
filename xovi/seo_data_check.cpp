#include "xovi/seo_data_check.h"

#include "analytics/token_post.h"
#include "core/long_run.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

namespace kf::xovi {

void CheckSeoData(Session &ws, const QStringList &domainList,
                  const std::function<void()> &seoRankRow, int pauseMs) {
    // A "Check" during one of the pauses starts no second walk on top of this one.
    LongRun run(ws, QStringLiteral("Button3Click"));
    if (!run.started())
        return;
    ws.analyticsServerMessage.clear();
    StringGrid &grid = ws.grid3();
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
    Memo &domains = ws.sonstUrls();
    QString text;
    for (const QString &domain : domainList)
        text += domain + QStringLiteral("\r\n");
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
        run.pause(pauseMs);
    }
    analytics::showServerMessage(ws);
}

} // namespace kf::xovi
