#pragma once

#include "text/string_grid.h"

#include <QString>

namespace kf::analytics {

// A cell as the grid shows it: outside the current counts the grid keeps hidden texts, which
// must not leak into a request or a list, so such a cell reads as empty.
inline QString shownCell(const StringGrid &grid, int col, int row) {
    if (col < 0 || row < 0 || col >= grid.colCount() || row >= grid.rowCount())
        return {};
    return grid.cell(col, row);
}

} // namespace kf::analytics
