#pragma once

#include <QDate>
#include <QString>

class QChartView;
class QWidget;

namespace kf {

struct Workspace;

namespace trends {

// What the tab "Diagramm" shows while StringGrid5 holds no trend table.
inline const QString kNoHistoryHint =
    QStringLiteral("Noch kein Rankingverlauf: Analyse unter „Keywords“ starten.");

// The view of the tab "Diagramm" (`Chart1`), the hint until the first refresh.
QChartView *createRankingChartView(QWidget *parent = nullptr);

// Redraws Chart1 from what StringGrid5 holds now. The trend analysis calls it when it ends; the
// tab calls it when it is shown.
void refreshRankingChart(Workspace &ws);

// "Diagramm speichern": the chart as PNG and SVG and the trend table as CSV and HTML, named
// after the analysed domain and the date, in reporting\xovi\verlauf (folders created first).
// Returns the common path without extension and names it in the caption. File errors
// propagate.
QString saveRankingChart(Workspace &ws, const QDate &today = QDate::currentDate());

} // namespace trends
} // namespace kf
