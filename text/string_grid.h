#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace kf {

// Measures text width in pixels; the grid uses its font's metrics unless a test sets another.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int width(const QString &text) const = 0;
};

std::shared_ptr<TextMeasure> fontMeasure(const QFont &font);

// The font the program's windows use: Tahoma 8 pt where it exists, else the sans-serif face.
QFont programFont();

// A table of text cells addressed by (column, row). Lowering a count hides cells without
// erasing them; raising it shows them again. Counts never go below 1.
class StringGrid {
public:
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kGridLineWidth = 1;

    // What a view needs to hear about; every callback may be empty.
    struct Listener {
        std::function<void(int col, int row)> cellChanged;
        std::function<void(int oldCount, int newCount)> rowCountChanged;
        std::function<void(int oldCount, int newCount)> colCountChanged;
        std::function<void(int col)> colWidthChanged;
        std::function<void()> reset; // anything else: repaint everything
    };

    StringGrid(int cols = 5, int rows = 5);

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    void setColCount(int n);
    void setRowCount(int n);

    QString cell(int col, int row) const;
    // Cells outside the visible counts may be written; they show when the counts grow.
    void setCell(int col, int row, const QString &text);
    // Empties every stored cell of the row, hidden columns included.
    void clearRow(int row);

    int colWidth(int col) const;
    void setColWidth(int col, int width);

    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setFixed(int rows, int cols);

    const QFont &font() const { return font_; }
    void setFont(const QFont &font);
    void setMeasure(std::shared_ptr<TextMeasure> measure);

    // Widest measured text of a visible cell of the column (0 if all are empty). Kept up to date
    // incrementally, so asking after every appended row costs O(columns), not O(cells).
    int widestText(int col) const;

    void setListener(Listener listener) { listener_ = std::move(listener); }

private:
    struct Cell {
        QString text;
        mutable int width = -1; // measured lazily, -1 until then
    };
    struct ColumnStats {
        int widest = 0;
        bool dirty = false;
    };

    int measured(const Cell &cell) const;
    const Cell *findCell(int col, int row) const;
    void noteGrown(int fromRow, int toRow, int fromCol, int toCol);
    void noteShrunkRows(int fromRow, int toRow);
    void invalidateWidths();

    int cols_;
    int rows_;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    std::vector<std::vector<Cell>> cells_; // [row][col], storage may exceed the counts
    std::vector<int> widths_;
    mutable std::vector<ColumnStats> stats_;
    QFont font_;
    std::shared_ptr<TextMeasure> measure_;
    Listener listener_;
};

} // namespace kf
