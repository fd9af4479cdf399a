#include "text/string_grid.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <algorithm>

namespace kf {

namespace {

class FontMeasure : public TextMeasure {
public:
    explicit FontMeasure(const QFont &font) : metrics_(font) {}
    int width(const QString &text) const override {
        // Shaping dominates the cost of filling a grid, and columns such as counts, dates and
        // flags repeat the same few texts: those are measured once.
        if (text.size() <= kCachedLength) {
            if (const auto it = cache_.constFind(text); it != cache_.cend())
                return *it;
            if (cache_.size() >= kCacheEntries)
                cache_.clear();
            return *cache_.insert(text, metrics_.horizontalAdvance(text));
        }
        return metrics_.horizontalAdvance(text);
    }

private:
    static constexpr qsizetype kCachedLength = 24;
    static constexpr qsizetype kCacheEntries = 4096;
    QFontMetrics metrics_;
    mutable QHash<QString, int> cache_;
};

// Without a display server there are no font metrics (a run without a window): a width from
// the number of characters, near that of the program's 8 pt face. Only column widths use it.
class CharacterMeasure : public TextMeasure {
public:
    int width(const QString &text) const override { return int(text.size()) * kAverageWidth; }

private:
    static constexpr int kAverageWidth = 6;
};

} // namespace

std::shared_ptr<TextMeasure> fontMeasure(const QFont &font) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return std::make_shared<CharacterMeasure>();
    return std::make_shared<FontMeasure>(font);
}

QFont programFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif); // the platform's sans-serif where Tahoma is missing
    return font;
}

StringGrid::StringGrid(int cols, int rows)
    : cols_(std::max(1, cols)), rows_(std::max(1, rows)), font_(programFont()) {
    widths_.assign(cols_, kDefaultColWidth);
    stats_.resize(cols_);
}

void StringGrid::setMeasure(std::shared_ptr<TextMeasure> measure) {
    measure_ = std::move(measure);
    invalidateWidths();
}

void StringGrid::setFont(const QFont &font) {
    font_ = font;
    measure_.reset(); // made anew from the font at the next measurement
    invalidateWidths();
    if (listener_.reset)
        listener_.reset();
}

void StringGrid::invalidateWidths() {
    for (auto &row : cells_)
        for (auto &cell : row)
            cell.width = -1;
    for (auto &s : stats_)
        s.dirty = true;
}

int StringGrid::measured(const Cell &cell) const {
    if (cell.text.isEmpty())
        return 0;
    if (cell.width < 0) {
        if (!measure_)
            const_cast<StringGrid *>(this)->measure_ = fontMeasure(font_);
        cell.width = measure_->width(cell.text);
    }
    return cell.width;
}

const StringGrid::Cell *StringGrid::findCell(int col, int row) const {
    if (row < 0 || col < 0 || row >= int(cells_.size()))
        return nullptr;
    const auto &r = cells_[row];
    if (col >= int(r.size()))
        return nullptr;
    return &r[col];
}

QString StringGrid::cell(int col, int row) const {
    const Cell *c = findCell(col, row);
    return c ? c->text : QString();
}

void StringGrid::setCell(int col, int row, const QString &text) {
    if (col < 0 || row < 0)
        return;
    if (row >= int(cells_.size()))
        cells_.resize(row + 1);
    auto &r = cells_[row];
    if (col >= int(r.size()))
        r.resize(col + 1);
    Cell &c = r[col];
    const bool visible = col < cols_ && row < rows_;
    const int oldWidth = visible ? measured(c) : 0;
    c.text = text;
    c.width = -1;
    if (visible) {
        if (col >= int(stats_.size()))
            stats_.resize(col + 1);
        ColumnStats &s = stats_[col];
        if (!s.dirty) {
            const int newWidth = measured(c);
            if (newWidth >= s.widest)
                s.widest = newWidth;
            else if (oldWidth == s.widest)
                s.dirty = true; // the widest cell got narrower: measure the column again
        }
        if (listener_.cellChanged)
            listener_.cellChanged(col, row);
    }
}

void StringGrid::clearRow(int row) {
    if (row < 0 || row >= int(cells_.size()))
        return;
    for (int col = 0; col < int(cells_[row].size()); ++col)
        if (!cells_[row][col].text.isEmpty())
            setCell(col, row, QString());
}

void StringGrid::noteGrown(int fromRow, int toRow, int fromCol, int toCol) {
    toRow = std::min(toRow, int(cells_.size()));
    for (int row = fromRow; row < toRow; ++row) {
        const auto &r = cells_[row];
        const int last = std::min(toCol, int(r.size()));
        for (int col = fromCol; col < last; ++col) {
            ColumnStats &s = stats_[col];
            if (!s.dirty && !r[col].text.isEmpty())
                s.widest = std::max(s.widest, measured(r[col]));
        }
    }
}

void StringGrid::noteShrunkRows(int fromRow, int toRow) {
    toRow = std::min(toRow, int(cells_.size()));
    for (int row = fromRow; row < toRow; ++row) {
        const auto &r = cells_[row];
        const int last = std::min(cols_, int(r.size()));
        for (int col = 0; col < last; ++col) {
            ColumnStats &s = stats_[col];
            if (!s.dirty && !r[col].text.isEmpty() && measured(r[col]) >= s.widest)
                s.dirty = true;
        }
    }
}

void StringGrid::setRowCount(int n) {
    n = std::max(1, n);
    if (n == rows_)
        return;
    const int old = rows_;
    if (n > rows_)
        noteGrown(rows_, n, 0, cols_);
    else
        noteShrunkRows(n, rows_);
    rows_ = n;
    if (listener_.rowCountChanged)
        listener_.rowCountChanged(old, n);
}

void StringGrid::setColCount(int n) {
    n = std::max(1, n);
    if (n == cols_)
        return;
    const int old = cols_;
    if (int(stats_.size()) < n)
        stats_.resize(n);
    if (int(widths_.size()) < n)
        widths_.resize(n, kDefaultColWidth);
    for (int col = old; col < n; ++col)
        stats_[col].dirty = true; // revealed columns are measured when asked
    cols_ = n;
    if (listener_.colCountChanged)
        listener_.colCountChanged(old, n);
}

int StringGrid::colWidth(int col) const {
    if (col < 0 || col >= int(widths_.size()))
        return kDefaultColWidth;
    return widths_[col];
}

void StringGrid::setColWidth(int col, int width) {
    if (col < 0)
        return;
    if (col >= int(widths_.size()))
        widths_.resize(col + 1, kDefaultColWidth);
    if (widths_[col] == width)
        return;
    widths_[col] = width;
    if (listener_.colWidthChanged)
        listener_.colWidthChanged(col);
}

void StringGrid::setFixed(int rows, int cols) {
    fixedRows_ = std::max(0, rows);
    fixedCols_ = std::max(0, cols);
    if (listener_.reset)
        listener_.reset();
}

int StringGrid::widestText(int col) const {
    if (col < 0 || col >= cols_)
        return 0;
    ColumnStats &s = stats_[col];
    if (s.dirty) {
        int widest = 0;
        const int last = std::min(rows_, int(cells_.size()));
        for (int row = 0; row < last; ++row) {
            if (const Cell *c = findCell(col, row))
                widest = std::max(widest, measured(*c));
        }
        s.widest = widest;
        s.dirty = false;
    }
    return s.widest;
}

} // namespace kf
