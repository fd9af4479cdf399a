#include "xovi/check_column.h"

#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

#include <QHash>
#include <QList>

namespace kf::xovi {

void compareCheckColumn(Session &ws) {
    StringGrid &grid = ws.grid3();
    Memo &speich = ws.speich();
    const Memo &linkList = ws.ueberblick();

    speich.prepare();
    const int rows = grid.rowCount();
    for (int row = 0; row < rows; ++row)
        speich.addLine(grid.cell(1, row));
    grid.setColCount(5);
    grid.setCell(1, 0, QStringLiteral("Prüfspalte"));
    for (int row = 1; row < rows; ++row)
        grid.setCell(4, row, QStringLiteral("N/A"));

    // A match writes the row's own address, so looking every link-list line up among the
    // rows' addresses gives what comparing every line with every row would, at a cost that
    // follows the sum of the two counts instead of their product. The rows' side is the
    // smaller one: its table stays in the cache while the link list streams past, read in
    // place without a string per line.
    const QStringList addresses = speich.lines();
    QHash<QStringView, QList<int>> rowsByAddress;
    rowsByAddress.reserve(addresses.size());
    for (int r = 0; r < int(addresses.size()); ++r)
        rowsByAddress[QStringView(addresses[r]).left(Memo::kMaxLineRead)].append(r);

    const QStringView links = linkList.text();
    const int linkCount = linkList.lineCount();
    qsizetype start = 0;
    for (int i = 0; i < linkCount && !rowsByAddress.isEmpty(); ++i) {
        qsizetype end = links.indexOf(u"\r\n", start);
        if (end < 0)
            end = links.size();
        const QStringView line = links.sliced(start, end - start).left(Memo::kMaxLineRead);
        start = end + 2;
        const auto match = rowsByAddress.constFind(line);
        if (match == rowsByAddress.constEnd())
            continue;
        for (int r : *match)
            grid.setCell(4, r, line.toString());
        rowsByAddress.erase(match); // a second equal line would write the same again
    }
    FitColumns(grid, 30);
}

} // namespace kf::xovi
