#include "trends/ranking_chart.h"

#include "text/string_grid.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
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
        // Every date is a Sunday of one of the year's weeks; the last may lie in January.
        const QDate day =
            QDate::fromString(grid.cell(col, 0).trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (history.year == 0 && day.isValid())
            day.weekNumber(&history.year);
    }
    for (int row = kFirstKeywordRow; row < grid.rowCount(); ++row) {
        const QString keyword = grid.cell(1, row);
        if (keyword.isEmpty())
            continue; // the empty row the analysis adds at its end
        RankingLine line{QString(keyword).replace(QLatin1Char('+'), QLatin1Char(' ')), {}};
        for (int col = kFirstDateCol; col < grid.colCount(); ++col)
            line.positions.push_back(rankingValue(grid.cell(col, row)));
        history.lines.push_back(std::move(line));
    }
    return history;
}

int weekLabelStep(int dateCount, double weekWidth, double labelWidth) {
    constexpr int kMostUnsized = 14; // every fourth week of a year, of 52 or 53 weeks
    int step = 1;
    if (weekWidth <= 0) {
        while (dateCount > kMostUnsized * step)
            step *= 2;
        return step;
    }
    while (step < dateCount && step * weekWidth < labelWidth)
        step *= 2;
    return step;
}

PositionScale positionScale(double worstPosition) {
    const double worst = std::max(1.0, worstPosition);
    const double step = worst <= 10    ? 1
                        : worst <= 20  ? 2
                        : worst <= 50  ? 5
                        : worst <= 100 ? 10
                                       : 50;
    const double bottom = std::max(10.0, std::ceil((worst + 1) / step) * step);
    // About a marker's radius above position 1, yet never down to 0, which would get a tick.
    const double room = std::clamp((bottom - 1) * 0.025, 0.3, 0.9);
    return {1 - room, bottom, step};
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

QString chartTitle(const ChartSubject &subject, int year) {
    QStringList parts;
    if (!subject.domain.isEmpty())
        parts << subject.domain;
    if (year > 0)
        parts << QString::number(year);
    QString title = QStringLiteral("Rankingverlauf");
    if (!parts.isEmpty())
        title += QStringLiteral(": ") + parts.join(QStringLiteral(", "));
    if (!subject.complete)
        title += QStringLiteral(" (unvollständig)");
    return title;
}

LineStyle lineStyle(int index) {
    static const QColor kPalette[] = {QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00),
                                      QColor(0x00, 0x9E, 0x73), QColor(0xCC, 0x79, 0xA7),
                                      QColor(0xE6, 0x9F, 0x00), QColor(0x56, 0xB4, 0xE9),
                                      QColor(0x00, 0x00, 0x00)};
    static const Qt::PenStyle kDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                           Qt::DashDotLine};
    static const MarkerShape kMarkers[] = {MarkerShape::Circle, MarkerShape::Square,
                                           MarkerShape::Triangle, MarkerShape::Diamond};
    constexpr int kColours = int(std::size(kPalette));
    const int round = std::max(0, index) / kColours;
    return {kPalette[std::max(0, index) % kColours], kDashes[round % 4], kMarkers[round % 4]};
}

QString pointToolTip(const QString &keyword, const QString &date, double position) {
    return QStringLiteral("%1\n%2\nPosition: %3")
        .arg(keyword, date, QLocale::c().toString(position));
}

} // namespace kf::trends
