#include "xovi/check_column.h"

#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QSet>

namespace kf::xovi {

void compareCheckColumn(Workspace &ws) {
    StringGrid &grid = ws.ui.StringGrid3->grid();
    Memo &speich = ws.ui.speich->memo();
    const Memo &linkList = ws.ui.ueberblick->memo();

    speich.prepare();
    const int rows = grid.rowCount();
    for (int row = 0; row < rows; ++row)
        speich.addLine(grid.cell(1, row));
    grid.setColCount(5);
    grid.setCell(1, 0, QStringLiteral("Prüfspalte"));
    for (int row = 1; row < rows; ++row)
        grid.setCell(4, row, QStringLiteral("N/A"));

    // A match writes the row's own address, so one lookup per row in the set of link-list
    // lines gives what comparing every line with every row would: the cost follows the sum of
    // the two counts, not their product.
    QSet<QString> links;
    const int linkCount = linkList.lineCount();
    links.reserve(linkCount);
    for (int i = 0; i < linkCount; ++i)
        links.insert(linkList.line(i));
    const int copied = speich.lineCount();
    for (int r = 0; r < copied; ++r) {
        const QString address = speich.line(r);
        if (links.contains(address))
            grid.setCell(4, r, address);
    }
    FitColumns(grid, 30);
}

} // namespace kf::xovi
