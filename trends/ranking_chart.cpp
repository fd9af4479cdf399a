#include "trends/ranking_chart.h"

#include "text/string_grid.h"

#include <QDate>
#include <QLocale>

#include <cmath>

namespace kf::trends {

namespace {
constexpr int kFirstDateCol = 3;
constexpr int kFirstKeywordRow = 3;
} // namespace

std::optional<double> rankingValue(const QString &cell) {
    QString text = cell.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString weekLabel(const QString &date, int index) {
    const QDate day = QDate::fromString(date.trimmed(), QStringLiteral("yyyy-MM-dd"));
    const int week = day.isValid() ? day.weekNumber() : index + 1;
    return QStringLiteral("KW %1").arg(week, 2, 10, QLatin1Char('0'));
}

RankingHistory rankingHistory(const StringGrid &grid) {
    RankingHistory history;
    if (grid.cell(0, 0) != QLatin1String("Nr.") || grid.cell(1, 0) != QLatin1String("Keyword") ||
        grid.cell(2, 0) != QLatin1String("Tag"))
        return history;
    for (int col = kFirstDateCol; col < grid.colCount(); ++col) {
        history.dates << grid.cell(col, 0);
        history.weekLabels << weekLabel(grid.cell(col, 0), col - kFirstDateCol);
    }
    for (int row = kFirstKeywordRow; row < grid.rowCount(); ++row) {
        const QString keyword = grid.cell(1, row);
        if (keyword.isEmpty())
            continue; // the empty row the analysis adds at its end
        RankingLine line{keyword, {}};
        for (int col = kFirstDateCol; col < grid.colCount(); ++col)
            line.positions.push_back(rankingValue(grid.cell(col, row)));
        history.lines.push_back(std::move(line));
    }
    return history;
}

std::vector<std::vector<QPointF>> lineSegments(const RankingLine &line) {
    std::vector<std::vector<QPointF>> segments;
    bool inGap = true;
    for (std::size_t i = 0; i < line.positions.size(); ++i) {
        if (!line.positions[i]) {
            inGap = true;
            continue;
        }
        if (inGap)
            segments.emplace_back();
        inGap = false;
        segments.back().emplace_back(double(i), *line.positions[i]);
    }
    return segments;
}

QString pointToolTip(const QString &keyword, const QString &date, double position) {
    return QStringLiteral("%1\n%2\nPosition: %3")
        .arg(keyword, date, QLocale::c().toString(position));
}

} // namespace kf::trends
