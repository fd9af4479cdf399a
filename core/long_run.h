#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QEventLoop;
class QObject;
class QTimer;

namespace kf {

namespace net {
class HttpClient;
}
struct Session;

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

// How a run that no other run surrounded ended.
struct RunEnd {
    QString name;
    int done = 0;
    int total = 0;
    bool cancelled = false;
    QString line; // the ending line a run left with setEndLine, empty when none did
};

// The long runs of one window that are in progress. A run started inside another one (the check
// run's step, a list after the SEO data) lies on top of it; the display concerns the run on top.
class LongRuns {
public:
    LongRuns();
    ~LongRuns();
    void setDisplay(RunDisplay *display) { display_ = display; }
    // The operator's "Abbrechen" (or Esc): every run in progress stops before its next step,
    // since they all belong to what the operator started.
    void cancel();
    bool running(const QString &name) const;
    bool anyRunning() const { return !runs_.empty(); }
    // The run the operator started, below any it started itself; empty when none runs.
    QString current() const { return runs_.empty() ? QString() : runs_.front()->name; }

    // Told true when the first run starts and false when the last one ends, for as long as
    // `context` lives: the window then refuses whatever would start another run or change what
    // the running one uses.
    void addBusyListener(QObject *context, std::function<void(bool busy)> listener);

    // The line the foot shows once the runs have ended, such as "Gegenprobe: 18 Seiten, 14 mit
    // Link" or a server's message. During runs the last line set wins (a run that sets none
    // leaves the caption's text behind WindowTitle); outside runs it is shown at once.
    void setEndLine(const QString &line);
    // The last run that ended with no other run around it, until forgetLastEnd().
    const std::optional<RunEnd> &lastEnd() const { return lastEnd_; }
    void forgetLastEnd() { lastEnd_.reset(); }

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
    // `defaultLine` is the ending line when the last run ends and none was set.
    void pop(Entry *entry, const QString &defaultLine);
    void notifyBusy(bool busy);
    // Shows the run on top at most every kDisplayMs, so updates cost the runs next to nothing.
    void show(bool now);
    // The client's wait hook during runs: while a fetch waits, the window paints, runs its
    // timers and takes a cancel, but no other input (no handler may start a request on the busy
    // client). False once the run on top is cancelled or the window closes.
    bool serveFetchWait(const Session &ws);
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
    std::vector<std::pair<QPointer<QObject>, std::function<void(bool)>>> busyListeners_;
    QString endLine_;
    std::optional<RunEnd> lastEnd_;
};

// The caption of a cancelled run ends with this mark.
inline const QString kCancelMark = QStringLiteral(" abgebrochen");

// One run over a list, for the time of a handler:
//     LongRun run(ws, QStringLiteral("Button6Click"));
//     if (!run.started()) return;           // the same handler is running already
//     run.setTotal(n);
//     for (int i = 0; i < n && !run.cancelled(); ++i) { ...; run.step(i + 1); }
// Ending a cancelled run appends " abgebrochen" to whatever caption the run left (once, when
// runs inside it were cancelled as well).
// While runs go, a fetch of IdHTTP1 that waits for its reply keeps the window painting, and a
// cancel gives it up: it fails with net::FetchAborted.
class LongRun {
public:
    LongRun(Session &ws, const QString &name, int total = 0);
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
    // A client of the run's own (not IdHTTP1) waits for its replies as IdHTTP1 does during
    // runs: the window paints and a cancel gives the fetch up. The client must not outlive the
    // run.
    void watch(net::HttpClient &client);

private:
    Session &ws_;
    LongRuns::Entry entry_;
    bool started_ = false;
    QElapsedTimer sinceEvents_;
};

} // namespace kf
