#pragma once

#include "core/long_run.h"

#include <QStatusBar>

class QProgressBar;
class QPushButton;
class QShortcut;

// The foot of the main window, always there at one height: while a long run goes, its done /
// total and "Abbrechen"; afterwards one line saying how it ended.
class RunStatusBar : public QStatusBar, public kf::RunDisplay {
    Q_OBJECT
public:
    RunStatusBar(kf::LongRuns &runs, QWidget *window);

    void showRun(int done, int total) override;
    void hideRuns() override;
    void showEndLine(const QString &line) override;
    QObject *fetchWaitFilter() override { return fetchWaitFilter_; }
    // Why a control does not answer while a run goes; the progress comes back after a while.
    void showRefusal(const QString &text);

private:
    QProgressBar *ProgressBar1;
    QPushButton *Abbrechen;
    QShortcut *escape_; // Esc in the main window, taken only while a run is shown
    QObject *fetchWaitFilter_;
};
