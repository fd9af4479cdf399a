#include "widgets/grid_view.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPalette>
#include <QStyle>
#include <QToolTip>

GridTableModel::GridTableModel(kf::StringGrid &grid, QObject *parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.rowCount()), cols_(grid.colCount()) {}

int GridTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return grid_.cell(index.column(), index.row());
    if (role == Qt::BackgroundRole &&
        (index.row() < grid_.fixedRows() || index.column() < grid_.fixedCols()))
        return QPalette().button();
    return {};
}

void GridTableModel::cellChanged(int col, int row) {
    if (col < cols_ && row < rows_) {
        const QModelIndex at = index(row, col);
        Q_EMIT dataChanged(at, at, {Qt::DisplayRole});
    }
}

void GridTableModel::rowCountChanged(int oldCount, int newCount) {
    if (newCount > oldCount) {
        beginInsertRows({}, oldCount, newCount - 1);
        rows_ = newCount;
        endInsertRows();
    } else {
        beginRemoveRows({}, newCount, oldCount - 1);
        rows_ = newCount;
        endRemoveRows();
    }
}

void GridTableModel::colCountChanged(int oldCount, int newCount) {
    if (newCount > oldCount) {
        beginInsertColumns({}, oldCount, newCount - 1);
        cols_ = newCount;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, newCount, oldCount - 1);
        cols_ = newCount;
        endRemoveColumns();
    }
}

void GridTableModel::resetAll() {
    beginResetModel();
    rows_ = grid_.rowCount();
    cols_ = grid_.colCount();
    endResetModel();
}

GridView::GridView(const QString &name, int cols, int rows, QWidget *parent)
    : QTableView(parent), grid_(cols, rows), model_(grid_) {
    setObjectName(name);
    setModel(&model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setDefaultSectionSize(kf::StringGrid::kDefaultColWidth);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A cell is one line: a long address is never broken into pieces that hide its end.
    setWordWrap(false);
    setFont(kf::programFont());
    grid_.setFont(font());
    grid_.setListener({
        [this](int col, int row) { model_.cellChanged(col, row); },
        [this](int oldCount, int newCount) { model_.rowCountChanged(oldCount, newCount); },
        [this](int oldCount, int newCount) {
            model_.colCountChanged(oldCount, newCount);
            for (int col = oldCount; col < newCount; ++col)
                applyWidth(col);
        },
        [this](int col) { applyWidth(col); },
        [this] {
            model_.resetAll();
            for (int col = 0; col < grid_.colCount(); ++col)
                applyWidth(col);
        },
    });
}

int GridView::cellMargin() const {
    // The item delegate keeps this far from each side of a cell before it draws the text.
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
}

void GridView::applyWidth(int col) {
    // The grid keeps its own widths; the view adds what it takes for the text's margins, so
    // that a fitted column shows its widest cell whole.
    if (col < grid_.colCount())
        horizontalHeader()->resizeSection(col, grid_.colWidth(col) + cellMargin());
}

void GridView::changeEvent(QEvent *event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        grid_.setFont(font());
}

QString GridView::cutCellText(int col, int row) const {
    if (col >= grid_.colCount() || row >= grid_.rowCount())
        return {};
    const QString text = grid_.cell(col, row);
    const int room = horizontalHeader()->sectionSize(col) - cellMargin();
    return QFontMetrics(font()).horizontalAdvance(text) > room ? text : QString();
}

bool GridView::viewportEvent(QEvent *event) {
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex at = indexAt(help->pos());
    const QString text = at.isValid() ? cutCellText(at.column(), at.row()) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(at));
    return true;
}
