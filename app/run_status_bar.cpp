#include "app/run_status_bar.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>

namespace {

// While a fetch of a run waits, the window's events are served with this filter in place: of
// the operator's input only a click on "Abbrechen" and Esc in the main window are taken, so
// that no handler starts a request on the busy client. Paint, timers and closing go on.
class FetchWaitFilter : public QObject {
public:
    FetchWaitFilter(kf::LongRuns &runs, QWidget *window, QPushButton *cancel)
        : QObject(cancel), runs_(runs), window_(window), cancel_(cancel) {}

    bool eventFilter(QObject *receiver, QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return !onCancel(receiver, static_cast<QMouseEvent *>(event));
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && inWindow(receiver))
                runs_.cancel();
            event->accept(); // no shortcut follows either
            return true;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
            return true;
        default:
            return false;
        }
    }

private:
    bool inWindow(const QObject *receiver) const {
        if (const auto *widget = qobject_cast<const QWidget *>(receiver))
            return widget->window() == window_;
        return receiver == window_->windowHandle();
    }
    // The window hands a mouse event on to the widget under the pointer (or to the button
    // that holds the mouse while pressed): only the button's own events pass.
    bool onCancel(const QObject *receiver, const QMouseEvent *event) const {
        if (receiver == cancel_)
            return true;
        if (receiver != window_->windowHandle())
            return false;
        return cancel_->isDown() ||
               window_->childAt(window_->mapFromGlobal(event->globalPosition().toPoint())) ==
                   cancel_;
    }

    kf::LongRuns &runs_;
    QWidget *window_;
    QPushButton *cancel_;
};

} // namespace

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
    fetchWaitFilter_ = new FetchWaitFilter(runs, window, Abbrechen);
    runs.setDisplay(this);
    // The foot keeps the height it has with "Abbrechen" in it, so the window above never jumps.
    setMinimumHeight(sizeHint().height());
    hideRuns();
}

void RunStatusBar::showRun(int done, int total) {
    // The ending line of the last run gives way to the progress of this one.
    if (!currentMessage().isEmpty())
        clearMessage();
    // Only what changed is set: an unchanged value repaints nothing.
    if (ProgressBar1->maximum() != total)
        ProgressBar1->setRange(0, total);
    if (ProgressBar1->value() != done)
        ProgressBar1->setValue(done);
    if (ProgressBar1->isHidden()) {
        clearMessage();
        ProgressBar1->show();
        Abbrechen->show();
        escape_->setEnabled(true);
    }
}

void RunStatusBar::hideRuns() {
    ProgressBar1->hide();
    Abbrechen->hide();
    escape_->setEnabled(false);
}

void RunStatusBar::showEndLine(const QString &line) {
    showMessage(line);
}

void RunStatusBar::showRefusal(const QString &text) {
    constexpr int kRefusalMs = 6000;
    showMessage(text, ProgressBar1->isHidden() ? 0 : kRefusalMs);
}
