#include "core/long_run.h"

#include "core/session.h"
#include "net/http_client.h"
#include "text/grid_tools.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>

namespace kf {

namespace {
// Widgets and pending events are served at most this often during a run.
constexpr int kDisplayMs = 40;
constexpr int kEventsMs = 40;
// A fetch wait is over when its hook has not been asked for this long.
constexpr int kWaitGoneMs = 150;
} // namespace

LongRuns::LongRuns() = default;
LongRuns::~LongRuns() = default;

void LongRuns::cancel() {
    for (Entry *run : runs_) {
        run->cancelled = true;
        if (run->waiting)
            run->waiting->quit();
    }
}

bool LongRuns::running(const QString &name) const {
    return std::any_of(runs_.begin(), runs_.end(),
                       [&name](const Entry *e) { return e->name == name; });
}

void LongRuns::addBusyListener(QObject *context, std::function<void(bool)> listener) {
    busyListeners_.emplace_back(context, std::move(listener));
}

void LongRuns::notifyBusy(bool busy) {
    // A listener whose window is gone is dropped.
    std::erase_if(busyListeners_, [](const auto &l) { return l.first.isNull(); });
    const auto listeners = busyListeners_; // a listener may add another
    for (const auto &[context, listener] : listeners)
        if (context)
            listener(busy);
}

void LongRuns::setEndLine(const QString &line) {
    endLine_ = line;
    if (runs_.empty() && display_)
        display_->showEndLine(line);
}

void LongRuns::push(Entry *entry) {
    const bool first = runs_.empty();
    if (first)
        endLine_.clear();
    runs_.push_back(entry);
    show(true);
    if (first)
        notifyBusy(true);
}

void LongRuns::pop(Entry *entry, const QString &defaultLine) {
    runs_.erase(std::remove(runs_.begin(), runs_.end(), entry), runs_.end());
    if (!runs_.empty()) {
        show(true);
        return;
    }
    lastEnd_ = RunEnd{entry->name, entry->done, entry->total, entry->cancelled, endLine_};
    if (display_) {
        display_->hideRuns();
        display_->showEndLine(endLine_.isEmpty() ? defaultLine : endLine_);
    }
    notifyBusy(false);
}

void LongRuns::show(bool now) {
    if (!display_ || runs_.empty())
        return;
    if (!now && lastShown_.isValid() && lastShown_.elapsed() < kDisplayMs) {
        pending_ = true; // shown at the next chance: a pause, or a check after the interval
        return;
    }
    pending_ = false;
    lastShown_.start();
    display_->showRun(runs_.back()->done, runs_.back()->total);
}

bool LongRuns::serveFetchWait(const Session &ws) {
    const auto stopped = [&] { return ws.closing || (!runs_.empty() && runs_.back()->cancelled); };
    if (stopped())
        return false;
    lastWait_.start();
    if (!busyCursor_ && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        busyCursor_ = true;
        if (!waitGone_) {
            waitGone_ = std::make_unique<QTimer>();
            waitGone_->setSingleShot(true);
            QObject::connect(waitGone_.get(), &QTimer::timeout, [this] {
                if (lastWait_.elapsed() >= kWaitGoneMs)
                    endFetchWait();
                else
                    waitGone_->start(kWaitGoneMs);
            });
        }
        waitGone_->start(kWaitGoneMs);
    }
    if (pending_)
        show(true);
    QObject *filter = display_ ? display_->fetchWaitFilter() : nullptr;
    if (filter && QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(filter);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::instance()->removeEventFilter(filter);
    } else {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !stopped();
}

void LongRuns::endFetchWait() {
    if (!busyCursor_)
        return;
    busyCursor_ = false;
    waitGone_->stop();
    QGuiApplication::restoreOverrideCursor();
}

LongRun::LongRun(Session &ws, const QString &name, int total) : ws_(ws) {
    entry_.name = name;
    entry_.total = total;
    // A second click on the same handler while it runs (during one of its pauses) is ignored.
    if (ws_.runs.running(name))
        return;
    started_ = true;
    if (!ws_.runs.anyRunning())
        ws_.IdHTTP1.setWaitHook([&ws] { return ws.runs.serveFetchWait(ws); });
    ws_.runs.push(&entry_);
    sinceEvents_.start();
}

LongRun::~LongRun() {
    if (!started_)
        return;
    ws_.runs.endFetchWait();
    if (entry_.cancelled && !ws_.caption().endsWith(kCancelMark))
        ws_.setCaption(ws_.caption() + kCancelMark);
    // Without a line of its own the run leaves what its caption says after the program's name.
    QString caption = ws_.caption();
    if (!ws_.WindowTitle.isEmpty() && caption.startsWith(ws_.WindowTitle))
        caption.remove(0, ws_.WindowTitle.size());
    ws_.runs.pop(&entry_, caption.trimmed());
    if (!ws_.runs.anyRunning())
        ws_.IdHTTP1.setWaitHook({}); // outside runs a fetch waits as it always did
}

void LongRun::setTotal(int total) {
    entry_.total = total;
    if (started_)
        ws_.runs.show(true);
}

void LongRun::step(int done) {
    entry_.done = done;
    // Shown at the run's next pause or event turn: the progress bar paints at once when its
    // value changes, and a run that pauses anyway should not pay for that between its pauses.
    if (started_)
        ws_.runs.pending_ = true;
}

bool LongRun::cancelled() {
    ws_.runs.endFetchWait();
    if (started_ && sinceEvents_.elapsed() >= kEventsMs) {
        if (ws_.runs.pending_)
            ws_.runs.show(false);
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
    return entry_.cancelled || ws_.closing;
}

void LongRun::pause(int ms) {
    ws_.runs.endFetchWait();
    if (ms <= 0 || entry_.cancelled || ws_.closing)
        return;
    QEventLoop loop;
    entry_.waiting = &loop;
    // Painted while the pause runs, not ahead of it: the paint is inside the pause's time.
    QTimer::singleShot(0, &loop, [this] {
        if (started_ && ws_.runs.pending_)
            ws_.runs.show(true);
    });
    runLoopFor(loop, ms);
    entry_.waiting = nullptr;
    sinceEvents_.start();
}

bool LongRun::stopped() const {
    return entry_.cancelled || ws_.closing;
}

void LongRun::watch(net::HttpClient &client) {
    if (started_)
        client.setWaitHook([&ws = ws_] { return ws.runs.serveFetchWait(ws); });
}

} // namespace kf
