#pragma once

#include "trends/ranking_chart.h"

#include <QChartView>
#include <QDate>
#include <QString>

#include <optional>

class QWidget;

namespace kf {

struct Workspace;

namespace trends {

// What the tab "Diagramm" shows while StringGrid5 holds no trend table.
inline const QString kNoHistoryHint =
    QStringLiteral("Noch kein Rankingverlauf: Analyse unter „Keywords“ starten.");

// The view of the tab "Diagramm" (`Chart1`). It keeps what the table it draws is of, from the
// trend run that filled it.
class RankingChartView : public QChartView {
public:
    using QChartView::QChartView;
    std::optional<ChartSubject> subject;
};

// The view of the tab "Diagramm", the hint until the first refresh.
QChartView *createRankingChartView(QWidget *parent = nullptr);

// Redraws Chart1 from what StringGrid5 holds now, titled with the domain and the year. The trend
// analysis calls it when it ends; the tab calls it when it is shown.
void refreshRankingChart(Workspace &ws);

// The analysed domain: the selected item of ListBox2 without "http://", as the analysis sends
// it; the watched domain when none is selected.
QString analysedDomain(const Workspace &ws);

// After a trend run: what the table is of (the domain it analysed, complete or not); redraws.
void setRankingChartSubject(Workspace &ws, const ChartSubject &subject);

// "Diagramm speichern": the chart as PNG and SVG and the trend table as CSV and HTML, named
// after the analysed domain, the chart's year and the date ("_unvollstaendig" after an
// incomplete run, which never replaces a complete one), in reporting\xovi\verlauf (folders
// created first). Returns the common path without extension and names it in the caption. File
// errors propagate.
QString saveRankingChart(Workspace &ws, const QDate &today = QDate::currentDate());

} // namespace trends
} // namespace kf
