#include "app/run_status_bar.h"

#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

RunStatusBar::RunStatusBar(kf::LongRuns &runs, QWidget *window) : QStatusBar(window) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFormat(QStringLiteral("%v / %m"));
    Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    Abbrechen->setObjectName(QStringLiteral("Abbrechen"));
    Abbrechen->setAutoDefault(false);
    addWidget(ProgressBar1, 1);
    addPermanentWidget(Abbrechen);
    connect(Abbrechen, &QPushButton::clicked, this, [&runs] { runs.cancel(); });
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape_->setContext(Qt::WindowShortcut);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, [&runs] { runs.cancel(); });
    runs.setDisplay(this);
    hide();
}

void RunStatusBar::showRun(int done, int total) {
    // Only what changed is set: an unchanged value repaints nothing.
    if (ProgressBar1->maximum() != total)
        ProgressBar1->setRange(0, total);
    if (ProgressBar1->value() != done)
        ProgressBar1->setValue(done);
    if (isHidden()) {
        show();
        escape_->setEnabled(true);
    }
}

void RunStatusBar::hideRuns() {
    hide();
    escape_->setEnabled(false);
}
