#include "trends/ranking_chart_view.h"

#include "core/data_folder.h"
#include "core/date_formats.h"
#include "core/workspace.h"
#include "text/error.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "trends/ranking_chart.h"
#include "trends/trend_files.h"
#include "widgets/grid_view.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QImageWriter>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace kf::trends {

namespace {

constexpr double kMarkerDiameter = 7;

// The markers past the palette's first round: squares, triangles and diamonds in the line's
// colour.
QImage markerImage(const LineStyle &style) {
    constexpr int kSize = 32; // drawn large, scaled down to the marker size
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.color);
    const double m = 2, e = kSize - 2, c = kSize / 2.0;
    switch (style.marker) {
    case MarkerShape::Square:
        painter.drawRect(QRectF(m + 2, m + 2, e - m - 4, e - m - 4));
        break;
    case MarkerShape::Triangle:
        painter.drawPolygon(QPolygonF({QPointF(c, m), QPointF(e, e), QPointF(m, e)}));
        break;
    case MarkerShape::Diamond:
        painter.drawPolygon(
            QPolygonF({QPointF(c, m), QPointF(e, c), QPointF(c, e), QPointF(m, c)}));
        break;
    case MarkerShape::Circle:
        painter.drawEllipse(QRectF(m, m, e - m, e - m));
        break;
    }
    return image;
}

// Every segment of one keyword: the first carries the legend entry, the others follow it.
void connectLegend(QChart *chart, const QList<QLineSeries *> &segments) {
    const QList<QLegendMarker *> first = chart->legend()->markers(segments.front());
    for (QLineSeries *rest : segments.mid(1))
        for (QLegendMarker *marker : chart->legend()->markers(rest))
            marker->setVisible(false);
    for (QLegendMarker *marker : first) {
        QObject::connect(marker, &QLegendMarker::clicked, marker, [marker, segments] {
            const bool show = !segments.front()->isVisible();
            for (QLineSeries *segment : segments)
                segment->setVisible(show);
            // A hidden line keeps its legend entry, dimmed, so that it can be shown again.
            marker->setVisible(true);
            QColor label = marker->labelBrush().color();
            label.setAlphaF(show ? 1.0 : 0.4);
            marker->setLabelBrush(label);
        });
    }
}

void addLine(QChart *chart, const RankingLine &line, const QStringList &dates, int index,
             QAbstractAxis *xAxis, QAbstractAxis *yAxis) {
    const auto segments = lineSegments(line);
    if (segments.empty())
        return;
    const LineStyle style = lineStyle(index);
    QList<QLineSeries *> series;
    for (const auto &points : segments) {
        auto *segment = new QLineSeries(chart);
        segment->setName(line.keyword);
        QPen pen = segment->pen();
        pen.setColor(style.color);
        pen.setStyle(style.dash);
        segment->setPen(pen);
        segment->setPointsVisible(true);
        if (style.marker == MarkerShape::Circle) {
            // A line's marker size is the radius of its round markers: this draws them 7 px wide.
            segment->setMarkerSize(kMarkerDiameter / 2);
        } else {
            segment->setMarkerSize(kMarkerDiameter + 1);
            segment->setLightMarker(markerImage(style));
        }
        for (const QPointF &p : points)
            segment->append(p);
        chart->addSeries(segment);
        segment->attachAxis(xAxis);
        segment->attachAxis(yAxis);
        // The tool-tip names the nearest date's own value, not a point between two dates.
        QObject::connect(segment, &QLineSeries::hovered, segment,
                         [line, dates](const QPointF &point, bool state) {
                             const int i = int(std::lround(point.x()));
                             if (!state || i < 0 || i >= dates.size() ||
                                 std::size_t(i) >= line.positions.size() || !line.positions[i]) {
                                 QToolTip::hideText();
                                 return;
                             }
                             QToolTip::showText(QCursor::pos(), pointToolTip(line.keyword, dates[i],
                                                                             *line.positions[i]));
                         });
        series << segment;
    }
    connectLegend(chart, series);
}

// Labels every so many weeks as the plot's width leaves room for; the labelled weeks carry the
// grid lines.
void fitWeekLabels(QCategoryAxis *axis, const QStringList &labels, double plotWidth) {
    if (labels.isEmpty())
        return;
    const double labelWidth = QFontMetricsF(axis->labelsFont()).height() * 1.1; // turned upright
    const int step = weekLabelStep(int(labels.size()), plotWidth / labels.size(), labelWidth);
    const int count = int((labels.size() + step - 1) / step);
    if (axis->count() == count)
        return;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    for (int i = 0; i < labels.size(); i += step)
        axis->append(labels[i], i);
}

// What the tab shows while StringGrid5 holds no trend table: a hint where the chart will be.
QChart *buildHint() {
    auto *chart = new QChart;
    chart->legend()->hide();
    auto *hint = new QGraphicsSimpleTextItem(kNoHistoryHint, chart);
    QFont font = hint->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    hint->setFont(font);
    hint->setBrush(chart->titleBrush()); // the theme's text colour on its background
    const auto centre = [chart, hint] {
        const QRectF box = hint->boundingRect();
        hint->setPos(chart->rect().center() - box.center());
    };
    QObject::connect(chart, &QGraphicsWidget::geometryChanged, chart, centre);
    centre();
    return chart;
}

QChart *buildChart(const RankingHistory &history) {
    if (history.lines.empty())
        return buildHint();
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignRight);
    auto *xAxis = new QCategoryAxis(chart);
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    xAxis->setLabelsAngle(-90);
    // The labels are thinned out to fit instead of being cut down to "..." by the axis.
    xAxis->setTruncateLabels(false);
    fitWeekLabels(xAxis, history.weekLabels, 0);
    QObject::connect(chart, &QChart::plotAreaChanged, xAxis,
                     [xAxis, labels = history.weekLabels](const QRectF &plotArea) {
                         fitWeekLabels(xAxis, labels, plotArea.width());
                     });
    xAxis->setRange(-0.5, std::max<qsizetype>(history.dates.size(), 1) - 0.5);
    auto *yAxis = new QValueAxis(chart);
    yAxis->setReverse(true); // position 1 at the top
    yAxis->setLabelFormat(QStringLiteral("%d"));
    yAxis->setTitleText(QStringLiteral("Position"));
    double worst = 1;
    for (const RankingLine &line : history.lines)
        for (const auto &p : line.positions)
            if (p)
                worst = std::max(worst, *p);
    const PositionScale scale = positionScale(worst);
    yAxis->setTickType(QValueAxis::TicksDynamic);
    yAxis->setTickAnchor(0);
    yAxis->setTickInterval(scale.tickStep);
    yAxis->setRange(scale.top, scale.bottom);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (std::size_t i = 0; i < history.lines.size(); ++i)
        addLine(chart, history.lines[i], history.dates, int(i), xAxis, yAxis);
    return chart;
}

RankingChartView *chartView(const Workspace &ws) {
    return dynamic_cast<RankingChartView *>(ws.ui.Chart1);
}

// What the chart is of: what the last trend run left, else the domain the analysis would send.
ChartSubject subjectOf(const Workspace &ws) {
    if (const RankingChartView *view = chartView(ws); view && view->subject)
        return *view->subject;
    return {analysedDomain(ws), true};
}

} // namespace

QString analysedDomain(const Workspace &ws) {
    QString domain;
    if (ws.ui.ListBox2 && !ws.ui.ListBox2->selectedItems().isEmpty())
        domain = ws.ui.ListBox2->selectedItems().first()->text();
    domain.remove(QStringLiteral("http://"), Qt::CaseInsensitive);
    if (domain.isEmpty() && ws.ui.Domain_Xovi)
        domain = ws.ui.Domain_Xovi->currentText();
    return domain;
}

QChartView *createRankingChartView(QWidget *parent) {
    auto *view = new RankingChartView(buildHint(), parent);
    view->setObjectName(QStringLiteral("Chart1"));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void refreshRankingChart(Workspace &ws) {
    if (!ws.ui.Chart1 || !ws.ui.StringGrid5)
        return;
    QChart *old = ws.ui.Chart1->chart();
    const RankingHistory history = rankingHistory(ws.ui.StringGrid5->grid());
    QChart *chart = buildChart(history);
    if (!history.lines.empty())
        chart->setTitle(chartTitle(subjectOf(ws), history.year));
    ws.ui.Chart1->setChart(chart);
    delete old;
}

void setRankingChartSubject(Workspace &ws, const ChartSubject &subject) {
    if (RankingChartView *view = chartView(ws))
        view->subject = subject;
    refreshRankingChart(ws);
}

QString saveRankingChart(Workspace &ws, const QDate &today) {
    // The chart is saved as the operator sees it (lines switched off stay off); one never drawn
    // is drawn first.
    if (ws.ui.Chart1->chart()->series().isEmpty())
        refreshRankingChart(ws);
    const ChartSubject subject = subjectOf(ws);
    const int year = rankingHistory(ws.ui.StringGrid5->grid()).year;
    const QString stem = trendFileStem(ws, subject.domain, year, subject.complete, today);

    QChartView *view = ws.ui.Chart1;
    // The pictures carry the title their names tell.
    if (!view->chart()->series().isEmpty()) {
        view->chart()->setTitle(chartTitle(subject, year));
        view->chart()->layout()->activate(); // the title item takes its text when laid out
    }

    // A chart never shown has no size of its own yet.
    if (view->width() < 400 || view->height() < 300)
        view->resize(std::max(view->width(), 900), std::max(view->height(), 500));
    QImage image(view->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view->render(&painter);
    }
    QImageWriter png(stem + QStringLiteral(".png"), "png");
    if (!png.write(image))
        throw Error(textfile::cannotCreateText(stem + QStringLiteral(".png"), png.errorString()));

    QSvgGenerator svg;
    svg.setFileName(stem + QStringLiteral(".svg"));
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(0, 0), view->size()));
    svg.setTitle(QStringLiteral("Rankingverlauf"));
    {
        QPainter painter;
        if (!painter.begin(&svg))
            throw Error(
                textfile::cannotCreateText(stem + QStringLiteral(".svg"), QStringLiteral("SVG")));
        view->render(&painter);
    }

    saveTrendTable(ws.ui.StringGrid5->grid(), stem);
    // The files come without a dialog; the caption says where they went.
    ws.setCaption(ws.WindowTitle + QStringLiteral(" Diagramm gespeichert: ") +
                  QDir::toNativeSeparators(stem) + QStringLiteral(".png/.svg/.csv/.html"));
    return stem;
}

} // namespace kf::trends
