#include "analytics/site_table.h"

#include "analytics/grid_cells.h"
#include "analytics/report_replies.h"
#include "analytics/token_post.h"
#include "core/data_folder.h"
#include "core/handler_frame.h"
#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QLineEdit>
#include <QListWidget>

namespace kf::analytics {

namespace {
const QString kSiteFile = QStringLiteral("accounts\\ids\\sites.csv");
} // namespace

void SiteTable::fetch() {
    ws_.RequestUrl = ws_.ui.URL->text() +
                     QStringLiteral("index.php?module=API&method=SitesManager.getAllSites"
                                    "&format=xml&token_auth=") +
                     ws_.ui.Token->text();
    Memo &speich = ws_.ui.speich->memo();
    speich.prepare();

    // From the request on, a failure ends the fetch without a message; what is done stays.
    guarded([&] {
        const QString reply = analytics::fetchIntoSpeich(ws_, ws_.RequestUrl);

        // Rows are emptied before the grid shrinks, so that no hidden text of an earlier table
        // can come back when the rows are raised again.
        StringGrid &grid = ws_.ui.StringGrid1->grid();
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
        if (!folderExists(ws_.path(QStringLiteral("accounts"))))
            createFolder(ws_.path(QStringLiteral("accounts")));
        if (!folderExists(ws_.path(QStringLiteral("accounts\\ids"))))
            createFolder(ws_.path(QStringLiteral("accounts\\ids")));
        ws_.SavePath = ws_.path(kSiteFile);
        SaveGridCsv(grid, ws_.SavePath);

        rebuildList();
    });
    showServerMessage(ws_);
}

void SiteTable::reload() {
    const QString file = ws_.path(kSiteFile);
    if (!fileExists(file))
        return;
    LoadSiteFile(ws_.ui.StringGrid1->grid(), file);
    rebuildList();
}

void SiteTable::rebuildList() {
    const StringGrid &grid = ws_.ui.StringGrid1->grid();
    QStringList urls;
    urls.reserve(grid.rowCount());
    for (int row = 0; row < grid.rowCount(); ++row)
        urls.append(shownCell(grid, 1, row));
    QListWidget *list = ws_.ui.ListBox1;
    list->clear();
    list->addItems(urls);
}

} // namespace kf::analytics
