#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kf {

class StringGrid;

namespace trends {

// One keyword's positions, one per date column; empty where the week has no numeric value.
struct RankingLine {
    QString keyword; // as the operator typed it: the table's "+" shown as blanks again
    std::vector<std::optional<double>> positions;
};

// What the chart draws of a trend table: its dates, their week labels and one line per keyword.
struct RankingHistory {
    QStringList dates;
    QStringList weekLabels; // "KW 01" to "KW 52"
    std::vector<RankingLine> lines;
    int year = 0; // the year whose weeks the dates are, 0 when no date tells
};

// What a chart is of: the analysed domain, and whether the run that filled the table got to its
// end (a cancelled or failed run leaves it incomplete).
struct ChartSubject {
    QString domain;
    bool complete = true;
};

// "Rankingverlauf: www.example.de, 2025", with " (unvollständig)" after an incomplete run.
QString chartTitle(const ChartSubject &subject, int year);

// How a keyword's line is told apart: the colours of the Okabe-Ito palette that stay clear on
// white (its yellow is too faint), then the same colours again with dashes and other markers.
enum class MarkerShape { Circle, Square, Triangle, Diamond };
struct LineStyle {
    QColor color;
    Qt::PenStyle dash;
    MarkerShape marker;
};
LineStyle lineStyle(int index);

// Reads the trend table as the analysis leaves it in StringGrid5: row 0 "Nr.", "Keyword", "Tag"
// and the dates from column 3, rows 1 and 2 empty, one keyword per row from row 3 on. A grid
// that holds no trend table (a backlink list, say) gives no dates and no lines.
RankingHistory rankingHistory(const StringGrid &grid);

// A cell's position: a number (blanks around it and a decimal comma allowed), else none
// ("n. r.", "-", empty).
std::optional<double> rankingValue(const QString &cell);

// "KW 07" for a date of ISO week 7; a text that is no date counts by its column (index 0 is
// week 1).
QString weekLabel(const QString &date, int index);

// Every how many weeks (1, 2, 4, ...) the date axis is labelled so that labels of labelWidth
// pixels stand apart when a week is weekWidth pixels wide; before the chart has a size, every
// fourth week of a year.
int weekLabelStep(int dateCount, double weekWidth, double labelWidth);

// The position axis: 1 at the top with room above it for the markers of position 1, whole-number
// ticks on a round step, and room below the lowest position.
struct PositionScale {
    double top;
    double bottom;
    double tickStep;
};
PositionScale positionScale(double worstPosition);

// The unbroken runs of a line as points (x = date index, y = position): a gap starts a new run.
std::vector<std::vector<QPointF>> lineSegments(const RankingLine &line);

// The tool-tip of one point.
QString pointToolTip(const QString &keyword, const QString &date, double position);

} // namespace trends
} // namespace kf
