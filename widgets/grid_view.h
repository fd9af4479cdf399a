#pragma once

#include "text/string_grid.h"

#include <QAbstractTableModel>
#include <QTableView>

// Qt's table model over a kf::StringGrid; it mirrors the grid's counts so that rows appended
// one at a time are cheap inserts for the view.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridTableModel(kf::StringGrid &grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void cellChanged(int col, int row);
    void rowCountChanged(int oldCount, int newCount);
    void colCountChanged(int oldCount, int newCount);
    void resetAll();

private:
    kf::StringGrid &grid_;
    int rows_;
    int cols_;
};

// A string grid control: owns the grid, shows it, and offers the grid's operations to tests.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(const QString &name, int cols, int rows, QWidget *parent = nullptr);

    kf::StringGrid &grid() { return grid_; }
    const kf::StringGrid &grid() const { return grid_; }

    Q_INVOKABLE QString cell(int col, int row) const { return grid_.cell(col, row); }
    Q_INVOKABLE void setCell(int col, int row, const QString &text) {
        grid_.setCell(col, row, text);
    }
    Q_INVOKABLE int rowCount() const { return grid_.rowCount(); }
    Q_INVOKABLE int colCount() const { return grid_.colCount(); }
    Q_INVOKABLE void setRowCount(int n) { grid_.setRowCount(n); }
    Q_INVOKABLE void setColCount(int n) { grid_.setColCount(n); }
    Q_INVOKABLE int colWidth(int col) const { return grid_.colWidth(col); }
    Q_INVOKABLE int fixedRows() const { return grid_.fixedRows(); }
    Q_INVOKABLE int fixedCols() const { return grid_.fixedCols(); }

    // The whole text of a cell that its column shows cut (empty when it shows it whole): a
    // column that no run fits, such as the verdicts of the counter-check, shows the rest as a
    // tool-tip.
    QString cutCellText(int col, int row) const;

protected:
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void applyWidth(int col);
    int cellMargin() const;

    kf::StringGrid grid_;
    GridTableModel model_;
};
