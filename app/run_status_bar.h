#pragma once

#include "core/long_run.h"

#include <QStatusBar>

class QProgressBar;
class QPushButton;
class QShortcut;

// The foot of the main window while a long run goes over a list: done / total and "Abbrechen".
// Hidden while nothing runs.
class RunStatusBar : public QStatusBar, public kf::RunDisplay {
    Q_OBJECT
public:
    RunStatusBar(kf::LongRuns &runs, QWidget *window);

    void showRun(int done, int total) override;
    void hideRuns() override;
    QObject *fetchWaitFilter() override { return fetchWaitFilter_; }
    void showEndLine(const QString &line) override { showMessage(line); }

private:
    QProgressBar *ProgressBar1;
    QPushButton *Abbrechen;
    QShortcut *escape_; // Esc in the main window, taken only while a run is shown
    QObject *fetchWaitFilter_;
};
