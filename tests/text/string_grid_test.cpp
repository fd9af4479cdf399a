#include "fixed_measure.h"
#include "text/string_grid.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QPair>
#include <random>

using kf::StringGrid;

TEST(StringGridCells, HiddenCellsSurviveCountChanges) {
    StringGrid grid(3, 3);
    grid.setCell(2, 2, QStringLiteral("corner"));
    grid.setCell(0, 1, QStringLiteral("left"));
    grid.setRowCount(1);
    grid.setColCount(1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.colCount(), 1);
    grid.setRowCount(3);
    grid.setColCount(3);
    EXPECT_EQ(grid.cell(2, 2), QStringLiteral("corner"));
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("left"));

    // A cell written beyond the counts shows once they grow.
    grid.setCell(7, 9, QStringLiteral("far"));
    grid.setColCount(8);
    grid.setRowCount(10);
    EXPECT_EQ(grid.cell(7, 9), QStringLiteral("far"));
    EXPECT_EQ(grid.cell(100, 100), QString());
    EXPECT_EQ(grid.cell(-1, 0), QString());
}

TEST(StringGridCells, ClearRowEmptiesHiddenCellsToo) {
    StringGrid grid(4, 2);
    for (int col = 0; col < 4; ++col)
        grid.setCell(col, 1, QStringLiteral("v%1").arg(col));
    grid.setCell(0, 0, QStringLiteral("keep"));
    grid.setColCount(2);
    grid.clearRow(1);
    grid.setColCount(4);
    for (int col = 0; col < 4; ++col)
        EXPECT_EQ(grid.cell(col, 1), QString()) << col;
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("keep"));

    // A row hidden by the row count is cleared as well.
    grid.setCell(1, 1, QStringLiteral("x"));
    grid.setRowCount(1);
    grid.clearRow(1);
    grid.setRowCount(2);
    EXPECT_EQ(grid.cell(1, 1), QString());
}

TEST(StringGridCells, CountsNeverBelowOne) {
    StringGrid grid(0, -3);
    EXPECT_EQ(grid.colCount(), 1);
    EXPECT_EQ(grid.rowCount(), 1);
    grid.setRowCount(0);
    grid.setColCount(-1);
    EXPECT_EQ(grid.colCount(), 1);
    EXPECT_EQ(grid.rowCount(), 1);
}

TEST(StringGridCells, WidthsAndNotices) {
    StringGrid grid(2, 2);
    EXPECT_EQ(grid.colWidth(0), StringGrid::kDefaultColWidth);
    int widthNotices = 0;
    StringGrid::Listener listener;
    listener.colWidthChanged = [&widthNotices](int) { ++widthNotices; };
    grid.setListener(listener);
    grid.setColWidth(1, 120);
    grid.setColWidth(1, 120); // unchanged: no notice
    EXPECT_EQ(grid.colWidth(1), 120);
    EXPECT_EQ(widthNotices, 1);
    // A width set on a column beyond the count is kept for when it shows.
    grid.setColWidth(4, 33);
    grid.setColCount(5);
    EXPECT_EQ(grid.colWidth(4), 33);
    EXPECT_EQ(grid.colWidth(3), StringGrid::kDefaultColWidth);
}

TEST(StringGridWidest, SimpleSequences) {
    StringGrid grid(2, 3);
    grid.setMeasure(fixedMeasure(10));
    EXPECT_EQ(grid.widestText(0), 0);
    grid.setCell(0, 0, QStringLiteral("abc"));
    grid.setCell(0, 1, QStringLiteral("abcde"));
    EXPECT_EQ(grid.widestText(0), 50);
    grid.setCell(0, 1, QStringLiteral("a")); // the widest one shrinks
    EXPECT_EQ(grid.widestText(0), 30);
    grid.setCell(0, 2, QStringLiteral("abcdefgh"));
    grid.setRowCount(2); // the widest one is hidden
    EXPECT_EQ(grid.widestText(0), 30);
    grid.setRowCount(3);
    EXPECT_EQ(grid.widestText(0), 80);
    grid.setMeasure(fixedMeasure(1)); // another measure: everything again
    EXPECT_EQ(grid.widestText(0), 8);
    EXPECT_EQ(grid.widestText(5), 0);
}

namespace {

// The grid as a plain map, with the widest text found by looking at every visible cell.
struct ReferenceGrid {
    int cols = 1, rows = 1;
    QMap<QPair<int, int>, QString> cells;
    int perChar = 3;

    int widest(int col) const {
        int w = 0;
        for (auto it = cells.begin(); it != cells.end(); ++it)
            if (it.key().first == col && it.key().second < rows)
                w = std::max(w, perChar * int(it.value().size()));
        return w;
    }
};

} // namespace

TEST(StringGridWidest, AgreesWithBruteForceUnderMixedChanges) {
    std::mt19937 random(20240601);
    auto pick = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int round = 0; round < 40; ++round) {
        StringGrid grid(pick(1, 4), pick(1, 6));
        ReferenceGrid ref;
        ref.cols = grid.colCount();
        ref.rows = grid.rowCount();
        grid.setMeasure(fixedMeasure(ref.perChar));
        for (int step = 0; step < 400; ++step) {
            const int op = pick(0, 99);
            if (op < 55) {
                const int col = pick(0, 6), row = pick(0, 9);
                const QString text(pick(0, 3) == 0 ? 0 : pick(1, 12), u'x');
                grid.setCell(col, row, text);
                ref.cells[{col, row}] = text;
            } else if (op < 68) {
                const int n = pick(1, 10);
                grid.setRowCount(n);
                ref.rows = n;
            } else if (op < 78) {
                const int n = pick(1, 7);
                grid.setColCount(n);
                ref.cols = n;
            } else if (op < 85) {
                const int row = pick(0, 9);
                grid.clearRow(row);
                for (auto it = ref.cells.begin(); it != ref.cells.end(); ++it)
                    if (it.key().second == row)
                        it.value().clear();
            } else if (op < 88) {
                ref.perChar = pick(1, 5);
                grid.setMeasure(fixedMeasure(ref.perChar));
            } else {
                // Asking in between settles the bookkeeping; later changes must keep it right.
                const int col = pick(0, ref.cols - 1);
                ASSERT_EQ(grid.widestText(col), ref.widest(col))
                    << "round " << round << " step " << step << " col " << col;
            }
        }
        for (int col = 0; col < ref.cols; ++col)
            ASSERT_EQ(grid.widestText(col), ref.widest(col)) << "round " << round;
    }
}
