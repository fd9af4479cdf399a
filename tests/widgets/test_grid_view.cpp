#include "text/grid_tools.h"
#include "widgets/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <gtest/gtest.h>

namespace {

TEST(GridView, ModelFollowsCountsAndCells) {
    GridView view(QStringLiteral("StringGrid1"), 5, 5);
    QAbstractItemModel *model = view.model();
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->columnCount(), 5);

    view.grid().setCell(1, 7, QStringLiteral("hidden"));
    view.setRowCount(8);
    EXPECT_EQ(model->rowCount(), 8);
    EXPECT_EQ(model->data(model->index(7, 1)).toString(), QStringLiteral("hidden"));

    view.setRowCount(0);
    view.setColCount(2);
    EXPECT_EQ(model->rowCount(), 1) << "a grid never has fewer than one row";
    EXPECT_EQ(model->columnCount(), 2);
    view.setRowCount(8);
    EXPECT_EQ(view.cell(1, 7), QStringLiteral("hidden")) << "lowered rows keep their cells";
}

// The room the view's delegate leaves for the text of a cell of the column.
int textRoom(GridView &view, int col, int row) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(view.model()->index(row, col));
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = view.cell(col, row);
    option.font = view.font();
    const QRect text = view.style()->subElementRect(QStyle::SE_ItemViewItemText, &option, &view);
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return text.width() - 2 * margin;
}

TEST(GridView, ColumnWidthsReachTheHeaderWithTheCellMargins) {
    GridView view(QStringLiteral("StringGrid3"), 3, 1);
    EXPECT_EQ(view.colWidth(0), kf::StringGrid::kDefaultColWidth);
    view.grid().setColWidth(2, 123);
    view.setColCount(6);
    view.grid().setColWidth(5, 77);
    EXPECT_EQ(view.colWidth(2), 123);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(5) - view.horizontalHeader()->sectionSize(2),
              77 - 123);
}

TEST(GridView, AFittedColumnShowsItsWidestCellWholeOnOneLine) {
    GridView view(QStringLiteral("StringGrid1"), 2, 2);
    view.resize(1200, 200);
    const QString longest = QStringLiteral("http://www.ein-sehr-langer-domainname-mit-bindestrichen"
                                           ".example.de/unterseite/mit-noch-mehr-text");
    view.setCell(1, 0, longest);
    view.setCell(1, 1, QStringLiteral("http://kurz.example/"));
    kf::FitColumns(view.grid(), 40);
    EXPECT_FALSE(view.wordWrap());
    EXPECT_GE(textRoom(view, 1, 0), QFontMetrics(view.font()).horizontalAdvance(longest));
}

TEST(GridView, FontChangeRemeasuresCells) {
    GridView view(QStringLiteral("StringGrid2"), 1, 1);
    view.setCell(0, 0, QStringLiteral("WWWWWWWWWW"));
    const int small = view.grid().widestText(0);
    QFont big = view.font();
    big.setPointSize(24);
    view.setFont(big);
    EXPECT_GT(view.grid().widestText(0), small);
    EXPECT_EQ(view.grid().font().pointSize(), 24);
}

TEST(GridView, FixedCellsLookLikeHeaders) {
    GridView view(QStringLiteral("StringGrid5"), 5, 5);
    view.grid().setFixed(1, 1);
    EXPECT_EQ(view.fixedRows(), 1);
    EXPECT_EQ(view.fixedCols(), 1);
    QAbstractItemModel *model = view.model();
    EXPECT_TRUE(model->data(model->index(0, 3), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(model->data(model->index(3, 0), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model->data(model->index(2, 2), Qt::BackgroundRole).isValid());
}

} // namespace

TEST(GridView, ACutCellOffersItsWholeTextAsToolTip) {
    GridView view(QStringLiteral("StringGrid5"), 3, 2);
    view.setCell(2, 0, QStringLiteral("ok"));
    view.setCell(2, 1, QStringLiteral("nicht gefunden, weil die Seite fehlt"));
    EXPECT_EQ(view.cutCellText(2, 0), QString());
    EXPECT_EQ(view.cutCellText(2, 1), QStringLiteral("nicht gefunden, weil die Seite fehlt"));
    kf::FitColumns(view.grid(), 40);
    EXPECT_EQ(view.cutCellText(2, 1), QString()) << "a fitted column shows it whole";
}
