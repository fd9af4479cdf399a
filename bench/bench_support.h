#pragma once

// Shared by the benchmark programs: an offscreen application (fonts need one) and a reporter
// that keeps each benchmark's time so that a program can print its scaling ratios at the end.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

namespace bench {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
                seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / unit;
                cpuSeconds_[run.benchmark_name()] = run.GetAdjustedCPUTime() / unit;
            }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of the named run, or a negative value when it did not run.
    double seconds(const std::string &name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? -1.0 : it->second;
    }

    double cpuSeconds(const std::string &name) const {
        const auto it = cpuSeconds_.find(name);
        return it == cpuSeconds_.end() ? -1.0 : it->second;
    }

    // Prints "label: small s, large s, ratio r (limit l) ok/TOO SLOW"; returns whether it held.
    // Wall-clock times; the CPU times follow in brackets, since other work on a busy machine
    // stretches the wall clock but not the CPU time.
    bool ratio(const char *label, const std::string &small, const std::string &large,
               double limit) const {
        const double a = seconds(small), b = seconds(large);
        if (a <= 0 || b < 0) {
            std::printf("%s: not measured\n", label);
            return true;
        }
        const double r = b / a;
        const double ca = cpuSeconds(small), cb = cpuSeconds(large);
        std::printf("%s: %.4f s -> %.4f s, ratio %.2f (limit %.1f) %s [cpu %.4f s -> %.4f s, "
                    "ratio %.2f]\n",
                    label, a, b, r, limit, r <= limit ? "ok" : "TOO SLOW", ca, cb,
                    ca > 0 ? cb / ca : 0.0);
        return r <= limit;
    }

    bool below(const char *label, const std::string &name, double limitSeconds) const {
        const double s = seconds(name);
        if (s < 0) {
            std::printf("%s: not measured\n", label);
            return true;
        }
        std::printf("%s: %.4f s (target < %.2f s) %s [cpu %.4f s]\n", label, s, limitSeconds,
                    s < limitSeconds ? "ok" : "TOO SLOW", cpuSeconds(name));
        return s < limitSeconds;
    }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> cpuSeconds_;
};

// Called before the application is made: offscreen unless the caller chose a platform.
inline void useOffscreenByDefault() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The whole main of a benchmark program: runs its benchmarks inside an offscreen application,
// then hands the recorded times to `judge`, which prints the targets and ratios.
template <class Judge> int runBenchmarks(int argc, char **argv, Judge &&judge) {
    useOffscreenByDefault();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    judge(reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    return 0;
}

} // namespace bench
