#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <vector>

class QEventLoop;
class QObject;
class QTimer;

namespace kf {

struct Workspace;

// What the window shows of the runs in progress: the main window puts it into its status bar.
class RunDisplay {
public:
    virtual ~RunDisplay() = default;
    // A run is in progress (or a nested one ended and the outer one shows again).
    virtual void showRun(int done, int total) = 0;
    virtual void hideRuns() = 0;
    // After the last run: one line saying how it ended.
    virtual void showEndLine(const QString &line) { (void)line; }
    // While a fetch of a run waits for its reply, the window's events are served through this
    // filter: it lets through only what cancels the run. Without one no input is taken then.
    virtual QObject *fetchWaitFilter() { return nullptr; }
};

// The long runs of one window that are in progress. A run started inside another one's pause
// lies on top of it; the display and "Abbrechen" concern the run on top.
class LongRuns {
public:
    LongRuns();
    ~LongRuns();
    void setDisplay(RunDisplay *display) { display_ = display; }
    // The operator's "Abbrechen" (or Esc): the run on top stops before its next step.
    void cancel();
    bool running(const QString &name) const;
    bool anyRunning() const { return !runs_.empty(); }
    // The line the foot shows once the runs have ended, such as a server's message.
    void setEndLine(const QString &line) {
        if (display_)
            display_->showEndLine(line);
    }

private:
    friend class LongRun;
    struct Entry {
        QString name;
        int done = 0;
        int total = 0;
        bool cancelled = false;
        QEventLoop *waiting = nullptr; // the cancellable pause in progress
    };

    void push(Entry *entry);
    void pop(Entry *entry);
    // Shows the run on top at most every kDisplayMs, so updates cost the runs next to nothing.
    void show(bool now);
    // The client's wait hook during runs: while a fetch waits, the window paints, runs its
    // timers and takes a cancel, but no other input (no handler may start a request on the busy
    // client). False once the run on top is cancelled or the window closes.
    bool serveFetchWait(const Workspace &ws);
    // The busy cursor of a fetch wait stays until the run serves the window's events again, or
    // until the waits have stopped for a moment (a handler's fetch during a pause).
    void endFetchWait();

    std::vector<Entry *> runs_;
    RunDisplay *display_ = nullptr;
    QElapsedTimer lastShown_;
    bool pending_ = false; // a value not shown yet
    bool busyCursor_ = false;
    QElapsedTimer lastWait_;
    std::unique_ptr<QTimer> waitGone_;
};

// The caption of a cancelled run ends with this mark.
inline const QString kCancelMark = QStringLiteral(" abgebrochen");

// One run over a list, for the time of a handler:
//     LongRun run(ws, QStringLiteral("Button6Click"));
//     if (!run.started()) return;           // the same handler is running already
//     run.setTotal(n);
//     for (int i = 0; i < n && !run.cancelled(); ++i) { ...; run.step(i + 1); }
// Ending a cancelled run appends " abgebrochen" to whatever caption the run left.
// While runs go, a fetch of IdHTTP1 that waits for its reply keeps the window painting, and a
// cancel gives it up: it fails with net::FetchAborted.
class LongRun {
public:
    LongRun(Workspace &ws, const QString &name, int total = 0);
    ~LongRun();
    LongRun(const LongRun &) = delete;
    LongRun &operator=(const LongRun &) = delete;

    bool started() const { return started_; }
    void setTotal(int total);
    // The steps done so far; the status bar shows them at the next pause or event turn.
    void step(int done);
    // True once the operator cancelled (or the window closes). Between two checks the window
    // gets its pending events every few tens of milliseconds, so it paints and reacts even in
    // runs that never pause.
    bool cancelled();
    // Pause(ms) that ends early when the run is cancelled.
    void pause(int ms);
    // cancelled() without serving the window's events: after a fetch that failed, whether the
    // cancel gave it up (the run then stops before that step, as if the fetch had not begun).
    bool stopped() const;

private:
    Workspace &ws_;
    LongRuns::Entry entry_;
    bool started_ = false;
    QElapsedTimer sinceEvents_;
};

} // namespace kf
