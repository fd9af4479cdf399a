#pragma once

// Shared by the benchmark programs: an offscreen application (fonts need one), a reporter that
// keeps each benchmark's best time so that a program can judge its targets and scaling ratios
// at the end, and the exit status that says whether every target held.

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

// One judged figure: what was measured, its target, what came out, and whether it held.
struct Verdict {
    std::string figure;
    std::string target;
    std::string result;
    bool held;
};

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    // A benchmark registered with ->Repetitions(3) keeps the best of its three runs under its
    // plain name: other work on the machine only ever makes a run slower.
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            const std::string name = plainName(run.benchmark_name());
            if (run.error_occurred)
                errors_[name] = run.error_message;
            else if (run.run_type == Run::RT_Iteration) {
                const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
                keepBest(seconds_, name, run.GetAdjustedRealTime() / unit);
                keepBest(cpuSeconds_, name, run.GetAdjustedCPUTime() / unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of the named run (its best), or a negative value when it did not
    // run.
    double seconds(const std::string &name) const { return find(seconds_, name); }
    double cpuSeconds(const std::string &name) const { return find(cpuSeconds_, name); }

    // Prints "label: small s, large s, ratio r (limit l) ok/TOO SLOW"; returns whether it held.
    // Wall-clock times; the CPU times follow in brackets, since other work on a busy machine
    // stretches the wall clock but not the CPU time.
    bool ratio(const char *label, const std::string &small, const std::string &large,
               double limit) const {
        const double a = seconds(small), b = seconds(large);
        char target[64];
        std::snprintf(target, sizeof target, "ratio <= %.2f", limit);
        if (!measured(label, target, {small, large}) || a <= 0)
            return true;
        const double r = b / a;
        const double ca = cpuSeconds(small), cb = cpuSeconds(large);
        std::printf("%s: %.4f s -> %.4f s, ratio %.2f (limit %g) %s [cpu %.4f s -> %.4f s, "
                    "ratio %.2f]\n",
                    label, a, b, r, limit, r <= limit ? "ok" : "TOO SLOW", ca, cb,
                    ca > 0 ? cb / ca : 0.0);
        char result[64];
        std::snprintf(result, sizeof result, "%.2f", r);
        return record({label, target, result, r <= limit});
    }

    bool below(const char *label, const std::string &name, double limitSeconds) const {
        const double s = seconds(name);
        char target[64];
        std::snprintf(target, sizeof target, "< %.3g s", limitSeconds);
        if (!measured(label, target, {name}))
            return true;
        std::printf("%s: %.4f s (target < %.2f s) %s [cpu %.4f s]\n", label, s, limitSeconds,
                    s < limitSeconds ? "ok" : "TOO SLOW", cpuSeconds(name));
        char result[64];
        std::snprintf(result, sizeof result, "%.4f s", s);
        return record({label, target, result, s < limitSeconds});
    }

    // A figure that the program works out itself (a share, a sum of runs): recorded like the
    // others, with "ok" or "TOO SLOW" after it.
    bool judge(const std::string &figure, const std::string &target, const std::string &result,
               bool held) const {
        std::printf("%s: %s (target %s) %s\n", figure.c_str(), result.c_str(), target.c_str(),
                    held ? "ok" : "TOO SLOW");
        return record({figure, target, result, held});
    }

    // Whether every named run gave a time. A run that failed misses the target of `figure` (it
    // is recorded so); one that was not asked for (--benchmark_filter) is left out.
    bool measured(const std::string &figure, const std::string &target,
                  const std::vector<std::string> &names) const {
        for (const std::string &name : names) {
            const auto it = errors_.find(name);
            if (it != errors_.end()) {
                std::printf("%s: failed: %s\n", figure.c_str(), it->second.c_str());
                record({figure, target, "failed: " + it->second, false});
                return false;
            }
        }
        for (const std::string &name : names)
            if (seconds(name) < 0) {
                std::printf("%s: not measured\n", figure.c_str());
                return false;
            }
        return true;
    }

    const std::vector<Verdict> &verdicts() const { return verdicts_; }

    // Prints the judged figures of `program`, appends them to the file named by
    // KELVARO_BENCH_SUMMARY (tab-separated: program, figure, target, result, verdict) when it is
    // set, and gives the exit status: 0 when every target held, 1 when one was missed.
    int summarise(const std::string &program) const {
        int missed = 0;
        std::printf("\n%s: %zu figures judged\n", program.c_str(), verdicts_.size());
        FILE *file = nullptr;
        if (const char *path = std::getenv("KELVARO_BENCH_SUMMARY"))
            file = std::fopen(path, "a");
        for (const Verdict &v : verdicts_) {
            const char *verdict = v.held ? "ok" : "TOO SLOW";
            missed += !v.held;
            std::printf("  %-9s %s: %s (target %s)\n", verdict, v.figure.c_str(), v.result.c_str(),
                        v.target.c_str());
            if (file)
                std::fprintf(file, "%s\t%s\t%s\t%s\t%s\n", program.c_str(), v.figure.c_str(),
                             v.target.c_str(), v.result.c_str(), verdict);
        }
        if (file)
            std::fclose(file);
        if (missed)
            std::printf("%s: %d of %zu targets missed\n", program.c_str(), missed,
                        verdicts_.size());
        return missed ? 1 : 0;
    }

private:
    static std::string plainName(const std::string &name) {
        static const std::regex repeats("/repeats:[0-9]+");
        return std::regex_replace(name, repeats, "");
    }
    static void keepBest(std::map<std::string, double> &times, const std::string &name,
                         double value) {
        const auto it = times.find(name);
        if (it == times.end())
            times[name] = value;
        else
            it->second = std::min(it->second, value);
    }
    static double find(const std::map<std::string, double> &times, const std::string &name) {
        const auto it = times.find(name);
        return it == times.end() ? -1.0 : it->second;
    }

    bool record(Verdict verdict) const {
        verdicts_.push_back(std::move(verdict));
        return verdicts_.back().held;
    }

    std::map<std::string, double> seconds_;
    std::map<std::string, double> cpuSeconds_;
    std::map<std::string, std::string> errors_;
    mutable std::vector<Verdict> verdicts_; // the judge sees the reporter as const
};

namespace detail {
inline std::vector<std::function<void()>> &applicationEnd() {
    static std::vector<std::function<void()>> ends;
    return ends;
}
} // namespace detail

// An object that the benchmarks of one program share, made at its first use and destroyed
// before the application object, as widgets must be.
template <class T> T &shared() {
    static T *object = nullptr;
    if (!object) {
        object = new T;
        detail::applicationEnd().push_back([] {
            delete object;
            object = nullptr;
        });
    }
    return *object;
}

// Called before the application is made: offscreen unless the caller chose a platform.
inline void useOffscreenByDefault() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The whole main of a benchmark program: runs its benchmarks inside an offscreen application,
// then hands the recorded times to `judge`, which prints the targets and ratios. The exit
// status is 0 when every target held, 1 when one was missed, 2 when widgets would outlive the
// application (they would crash at exit).
template <class Judge> int runBenchmarks(int argc, char **argv, Judge &&judge) {
    useOffscreenByDefault();
    const char *slash = argc > 0 ? std::strrchr(argv[0], '/') : nullptr;
    const std::string program = slash ? slash + 1 : argc > 0 ? argv[0] : "bench";
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    judge(reporter);
    benchmark::Shutdown();
    auto &ends = detail::applicationEnd();
    for (auto end = ends.rbegin(); end != ends.rend(); ++end)
        (*end)();
    ends.clear();
    int status = reporter.summarise(program);
    const QWidgetList left = QApplication::topLevelWidgets();
    if (!left.isEmpty()) {
        std::printf("%s: %lld widgets outlive the application (first: %s); own them in the "
                    "benchmark or through bench::shared\n",
                    program.c_str(), static_cast<long long>(left.size()),
                    left.first()->metaObject()->className());
        std::fflush(nullptr);
        std::_Exit(2); // their destructors would run after the application is gone
    }
    std::fflush(stdout);
    return status;
}

} // namespace bench
