// What the status bar costs a long run: the same run of short steps with and without the
// progress display. Both keep the window painting every few tens of milliseconds, as every
// long run must; the difference is the status bar's own cost.

#include "core/long_run.h"
#include "app/application.h"
#include "bench_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QTemporaryDir>

#include <cstdint>

namespace {

constexpr int kSteps = 20000;

// Some tens of microseconds of a step's own work, a fixed amount of computing (a busy machine
// stretches the wall clock, not this): far shorter than any fetch of a real run.
void work() {
    std::uint64_t x = 88172645463325252ull;
    for (int i = 0; i < 60000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
    }
    benchmark::DoNotOptimize(x);
}

struct Window {
    Window() {
        windows = createWindows(dir.path());
        windows.form1->show();
    }
    QTemporaryDir dir;
    Windows windows;
};

Window &window() {
    return bench::shared<Window>();
}

void BM_RunWithoutStatusBar(benchmark::State &state) {
    window();
    for (auto _ : state) {
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        for (int i = 0; i < kSteps; ++i) {
            if (sinceEvents.elapsed() >= 40) {
                QCoreApplication::processEvents();
                sinceEvents.start();
            }
            work();
        }
    }
}

void BM_RunWithStatusBar(benchmark::State &state) {
    kf::Workspace &ws = window().windows.form1->workspace();
    for (auto _ : state) {
        kf::LongRun run(ws, QStringLiteral("bench"), kSteps);
        for (int i = 0; i < kSteps && !run.cancelled(); ++i) {
            work();
            run.step(i + 1);
        }
    }
}

// One update of the status bar as a run sees it: the new value set and painted.
void BM_StatusBarUpdate(benchmark::State &state) {
    QWidget *form = window().windows.form1.get();
    auto *display = dynamic_cast<kf::RunDisplay *>(form->findChild<QStatusBar *>("StatusBar1"));
    if (!display) {
        state.SkipWithError("no status bar");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        display->showRun(++i % 1000, 1000);
        QCoreApplication::processEvents();
    }
    display->hideRuns();
}

// Between two updates a step costs the run one clock reading.
void BM_StepBetweenUpdates(benchmark::State &state) {
    kf::Workspace &ws = window().windows.form1->workspace();
    kf::LongRun run(ws, QStringLiteral("bench"), 1 << 30);
    int i = 0;
    for (auto _ : state) {
        run.step(++i);
        benchmark::DoNotOptimize(run.cancelled());
    }
}

// Each the best of three runs: the figures are judged against each other, and other work on
// the machine lands on one run or the other.
BENCHMARK(BM_StatusBarUpdate)->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK(BM_StepBetweenUpdates)->Unit(benchmark::kNanosecond)->Repetitions(3);
BENCHMARK(BM_RunWithoutStatusBar)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3);
BENCHMARK(BM_RunWithStatusBar)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        // The status bar is updated at most every 40 ms; a step of a real run (a fetch, a pause)
        // takes a millisecond or more.
        const char *share = "status bar share of a run with 1 ms steps";
        if (r.measured(share, "< 1 %", {"BM_StatusBarUpdate", "BM_StepBetweenUpdates"})) {
            const double update = r.cpuSeconds("BM_StatusBarUpdate");
            const double step = r.cpuSeconds("BM_StepBetweenUpdates");
            const double part = update / 0.040 + step / 0.001;
            char result[96];
            std::snprintf(result, sizeof result, "%.3f %% (update %.1f us, step %.0f ns)",
                          part * 100, update * 1e6, step * 1e9);
            r.judge(share, "< 1 %", result, part < 0.01);
        }
        r.ratio("run of 20000 short steps, status bar on",
                "BM_RunWithoutStatusBar/iterations:5/real_time",
                "BM_RunWithStatusBar/iterations:5/real_time", 1.01);
    });
}
