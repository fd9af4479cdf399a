#include "analytics/site_table.h"

#include "analytics/grid_cells.h"
#include "analytics/report_replies.h"
#include "analytics/token_post.h"
#include "core/data_folder.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

namespace kf::analytics {

void fetchSiteTable(Session &ws, const AnalyticsServer &server) {
    ws.RequestUrl = server.url +
                    QStringLiteral("index.php?module=API&method=SitesManager.getAllSites"
                                   "&format=xml&token_auth=") +
                    server.token;
    Memo &speich = ws.speich();
    speich.prepare();

    const QString reply = analytics::fetchIntoSpeich(ws, ws.RequestUrl);

    // Rows are emptied before the grid shrinks, so that no hidden text of an earlier table can
    // come back when the rows are raised again.
    StringGrid &grid = ws.grid1();
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.clearRow(row);
    grid.setColCount(2);
    grid.setRowCount(0); // the grid keeps its minimum of one row

    // Each site fills the last row and appends an empty one; the trailing one goes after.
    for (const SiteRecord &site : siteRecords(reply)) {
        const int row = grid.rowCount() - 1;
        grid.setCell(0, row, site.id);
        grid.setCell(1, row, site.mainUrl);
        grid.clearRow(row + 1);
        grid.setRowCount(row + 2);
    }
    grid.setRowCount(grid.rowCount() - 1);
    FitColumns(grid, 40);

    // The save makes the folders it needs, the first level too.
    if (!folderExists(ws.path(QStringLiteral("accounts"))))
        createFolder(ws.path(QStringLiteral("accounts")));
    if (!folderExists(ws.path(QStringLiteral("accounts\\ids"))))
        createFolder(ws.path(QStringLiteral("accounts\\ids")));
    ws.SavePath = ws.path(kSiteFile);
    SaveGridCsv(grid, ws.SavePath);
}

void loadSiteTable(Session &ws) {
    const QString file = ws.path(kSiteFile);
    if (!fileExists(file))
        return;
    LoadSiteFile(ws.grid1(), file);
}

QStringList siteAddresses(const StringGrid &grid) {
    QStringList urls;
    urls.reserve(grid.rowCount());
    for (int row = 0; row < grid.rowCount(); ++row)
        urls.append(shownCell(grid, 1, row));
    return urls;
}

} // namespace kf::analytics
