// The ranking chart's data as it is read from the trend table, and the tab "Diagramm".
#include "core/date_formats.h"
#include "tests/support/gui_helpers.h"
#include "text/string_grid.h"
#include "trends/ranking_chart.h"
#include "trends/ranking_chart_view.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QValueAxis>

#include <cmath>

using namespace kf::trends;
using namespace testing_gui;

namespace {

// A trend table as the analysis leaves it: two keywords, three dates, the trailing empty row.
void fillTrendTable(kf::StringGrid &grid) {
    grid.setColCount(6);
    grid.setRowCount(6);
    const QStringList head{"Nr.", "Keyword", "Tag", "2026-01-04", "2026-01-11", "2026-01-18"};
    for (int c = 0; c < head.size(); ++c)
        grid.setCell(c, 0, head[c]);
    const QStringList seo{"3", "seo+tool", "", "12", "n. r.", " 7 "};
    const QStringList links{"4", "backlinks", "", "", "3", "2,5"};
    for (int c = 0; c < seo.size(); ++c) {
        grid.setCell(c, 3, seo[c]);
        grid.setCell(c, 4, links[c]);
    }
}

// How far a colour stands apart from white (1 = not at all, 21 = black).
double contrastOnWhite(const QColor &c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double luminance =
        0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    return 1.05 / (luminance + 0.05);
}

} // namespace

TEST(RankingHistory, NumbersArePointsAndEverythingElseAGap) {
    kf::StringGrid grid(5, 5);
    fillTrendTable(grid);
    const RankingHistory history = rankingHistory(grid);
    EXPECT_EQ(history.dates, QStringList({"2026-01-04", "2026-01-11", "2026-01-18"}));
    EXPECT_EQ(history.weekLabels, QStringList({"KW 01", "KW 02", "KW 03"}));
    ASSERT_EQ(history.lines.size(), 2u);
    EXPECT_EQ(history.lines[0].keyword, "seo tool"); // the table's "+" is a blank
    EXPECT_EQ(history.lines[0].positions,
              (std::vector<std::optional<double>>{12.0, std::nullopt, 7.0}));
    EXPECT_EQ(history.lines[1].positions,
              (std::vector<std::optional<double>>{std::nullopt, 3.0, 2.5}));

    const auto seoRuns = lineSegments(history.lines[0]);
    ASSERT_EQ(seoRuns.size(), 2u); // the gap splits the line
    EXPECT_EQ(seoRuns[0], std::vector<QPointF>({{0, 12}}));
    EXPECT_EQ(seoRuns[1], std::vector<QPointF>({{2, 7}}));
    EXPECT_EQ(lineSegments(history.lines[1]),
              (std::vector<std::vector<QPointF>>{{{1, 3}, {2, 2.5}}}));

    EXPECT_EQ(weekLabel("2026-12-27", 51), "KW 52");
    EXPECT_EQ(weekLabel("kein Datum", 4), "KW 05");
    EXPECT_EQ(pointToolTip("seo tool", "2026-01-18", 7), "seo tool\n2026-01-18\nPosition: 7");

    kf::StringGrid backlinks(3, 4); // another table in the grid draws nothing
    backlinks.setCell(0, 0, "Nr.");
    backlinks.setCell(1, 0, "Link-URL");
    EXPECT_TRUE(rankingHistory(backlinks).lines.empty());
}

TEST(RankingHistory, YearTitleAndLinesThatStayApart) {
    kf::StringGrid grid(5, 5);
    fillTrendTable(grid);
    EXPECT_EQ(rankingHistory(grid).year, 2026);
    grid.setCell(3, 0, "2021-01-10"); // the first week's Sunday tells the year
    EXPECT_EQ(rankingHistory(grid).year, 2021);
    EXPECT_EQ(chartTitle({"shop.de", true}, 2025), "Rankingverlauf: shop.de, 2025");
    EXPECT_EQ(chartTitle({"", false}, 0), "Rankingverlauf (unvollständig)");

    // No faint colour on white, no two lines alike.
    QSet<QString> seen;
    for (int i = 0; i < 20; ++i) {
        const LineStyle style = lineStyle(i);
        EXPECT_GE(contrastOnWhite(style.color), 2.0) << i;
        const QString key = style.color.name() + QString::number(int(style.dash)) +
                            QString::number(int(style.marker));
        EXPECT_FALSE(seen.contains(key)) << i;
        seen.insert(key);
    }
    EXPECT_EQ(lineStyle(0).dash, Qt::SolidLine);
    EXPECT_EQ(lineStyle(7).color, lineStyle(0).color);
    EXPECT_NE(lineStyle(7).dash, Qt::SolidLine);
}

TEST(RankingHistory, AxesKeepTheirLabelsAndPointsReadable) {
    EXPECT_EQ(weekLabelStep(52, 0, 18), 4);   // not laid out yet
    EXPECT_EQ(weekLabelStep(52, 4.8, 18), 4); // the default window
    EXPECT_EQ(weekLabelStep(52, 30, 18), 1);
    EXPECT_EQ(weekLabelStep(2, 1, 18), 2); // never more than one label

    for (const double worst : {1.0, 7.0, 84.0, 100.0, 180.0}) {
        const PositionScale scale = positionScale(worst);
        EXPECT_GT(scale.top, 0) << worst; // no tick at position 0
        EXPECT_LT(scale.top, 1) << worst; // room above position 1
        EXPECT_GT(scale.bottom, worst) << worst;
        EXPECT_EQ(std::fmod(scale.bottom, scale.tickStep), 0) << worst;
    }
    EXPECT_EQ(positionScale(84).tickStep, 10);
    EXPECT_EQ(positionScale(84).bottom, 90);
}

TEST(RankingChartTab, DrawsTheGridWhenShownAndSavesOnlyOnRequest) {
    DataFolder folder;
    Windows windows = createWindows(folder.root());
    TForm1 *form = windows.form1.get();
    auto *pages = control<QTabWidget>(form, "PageControl3");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(2), "Diagramm");
    EXPECT_EQ(pages->widget(2)->objectName(), "TabSheetDiagramm");
    auto *view = control<QChartView>(form, "Chart1");

    QObject *grid = control(form, "StringGrid5");
    kf::StringGrid model;
    fillTrendTable(model);
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.colCount(); ++c) {
            QMetaObject::invokeMethod(grid, "setColCount", Q_ARG(int, model.colCount()));
            QMetaObject::invokeMethod(grid, "setRowCount", Q_ARG(int, model.rowCount()));
            QMetaObject::invokeMethod(grid, "setCell", Q_ARG(int, c), Q_ARG(int, r),
                                      Q_ARG(QString, model.cell(c, r)));
        }
    pages->setCurrentIndex(2);

    QChart *chart = view->chart();
    const QList<QAbstractSeries *> series = chart->series();
    ASSERT_EQ(series.size(), 3); // seo+tool in two runs, backlinks in one
    int shownMarkers = 0;
    for (QLegendMarker *marker : chart->legend()->markers())
        shownMarkers += marker->isVisible();
    EXPECT_EQ(shownMarkers, 2); // one legend entry per keyword
    auto *positions = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(positions, nullptr);
    EXPECT_TRUE(positions->isReverse());
    EXPECT_LT(positions->min(), 1);
    auto *weeks = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(weeks, nullptr);
    EXPECT_EQ(weeks->categoriesLabels(), QStringList({"KW 01", "KW 02", "KW 03"}));
    EXPECT_TRUE(static_cast<QLineSeries *>(series[0])->pointsVisible());
    EXPECT_EQ(chart->legend()->markers(series[0]).value(0)->label(), "seo tool");

    // The lone point of week 1 is drawn about as wide as its marker is meant to be (7 px).
    view->resize(900, 500);
    const QImage drawn = view->grab().toImage();
    const QPoint centre = view->mapFromScene(chart->mapToPosition({0, 12}, series[0]));
    const QColor lineColor = static_cast<QLineSeries *>(series[0])->color();
    const auto isMarker = [&](int x) {
        const QColor c = drawn.pixelColor(x, centre.y());
        return std::abs(c.red() - lineColor.red()) + std::abs(c.green() - lineColor.green()) +
                   std::abs(c.blue() - lineColor.blue()) <
               120;
    };
    int left = centre.x(), right = centre.x();
    ASSERT_TRUE(isMarker(centre.x()));
    while (isMarker(left - 1))
        --left;
    while (isMarker(right + 1))
        ++right;
    EXPECT_GE(right - left + 1, 6);
    EXPECT_LE(right - left + 1, 10);

    // The legend entry switches its keyword's line, all its runs, off and on again.
    QLegendMarker *seoMarker = chart->legend()->markers(series[0]).value(0);
    emit seoMarker->clicked();
    EXPECT_FALSE(series[0]->isVisible());
    EXPECT_FALSE(series[1]->isVisible());
    EXPECT_TRUE(series[2]->isVisible());
    emit seoMarker->clicked();
    EXPECT_TRUE(series[1]->isVisible());

    EXPECT_FALSE(folder.exists("reporting/xovi/verlauf")); // nothing written unasked
    auto *listBox2 = control<QListWidget>(form, "ListBox2");
    listBox2->addItem("http://shop.example-1.de");
    listBox2->setCurrentRow(0);
    auto *save = control<QAction>(form, "DiagrammSpeichern1");
    EXPECT_EQ(save->text(), "Diagramm speichern");
    EXPECT_TRUE(view->actions().contains(save)); // the view's context menu
    MessageCapture messages;
    save->trigger();
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('\n').toStdString();
    // Domain, the chart's year and the save date: another year's chart keeps its own files.
    const QString stem = "reporting/xovi/verlauf/shopexample1de_2026_" +
                         QDate::currentDate()
                             .toString(kf::DateFormats::shortFormat())
                             .remove(QRegularExpression("[.:/-]"));
    EXPECT_TRUE(form->windowTitle().startsWith("Kelvaro Fennwick v.0.4b Diagramm gespeichert: "));
    EXPECT_TRUE(
        form->windowTitle().endsWith(QDir::toNativeSeparators(stem) + ".png/.svg/.csv/.html"));
    EXPECT_TRUE(folder.read(stem + ".png").startsWith("\x89PNG"));
    EXPECT_TRUE(folder.read(stem + ".svg").contains("<svg"));
    EXPECT_TRUE(folder.read(stem + ".csv").startsWith("Nr.,Keyword,Tag,2026-01-04,"));
    EXPECT_TRUE(
        folder.read(stem + ".html").contains("<td align=\"left\" valign=\"top\">seo+tool</td>"));
    EXPECT_EQ(chart->title(), "Rankingverlauf: shop.example-1.de, 2026");
    EXPECT_TRUE(folder.read(stem + ".svg").contains("shop.example-1.de, 2026"));

    // After a cancelled run the title says so, and its files stand beside the complete ones.
    setRankingChartSubject(form->workspace(), {"shop.example-1.de", false});
    EXPECT_EQ(view->chart()->title(), "Rankingverlauf: shop.example-1.de, 2026 (unvollständig)");
    save->trigger();
    EXPECT_TRUE(folder.exists(stem + "_unvollstaendig.png"));
    EXPECT_TRUE(folder.exists(stem + ".png"));

    // A backlink list in the grid leaves no empty axes behind but a hint.
    QMetaObject::invokeMethod(grid, "setCell", Q_ARG(int, 1), Q_ARG(int, 0),
                              Q_ARG(QString, "Link-URL"));
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(2);
    EXPECT_TRUE(view->chart()->series().isEmpty());
    EXPECT_TRUE(view->chart()->axes().isEmpty());
    QStringList texts;
    for (QGraphicsItem *item : view->chart()->childItems())
        if (auto *text = dynamic_cast<QGraphicsSimpleTextItem *>(item))
            texts << text->text();
    EXPECT_EQ(texts, QStringList{kNoHistoryHint});
}
