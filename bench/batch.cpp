// The command-line program: "kelvaro-batch --version" as a process (target: under 50 ms and
// under 30 MB), and a demo report over the four sites with the window's pause of a second per
// site, whose own time beyond the fetches and the pauses must stay under 1 % of the run. The
// run's own time is bounded from above by the CPU time of the thread that runs it: it sleeps
// while a fetch waits or a pause lasts, and the stand-ins serve from threads of their own.

#include "analytics/check_run.h"
#include "analytics/site_table.h"
#include "bench/bench_support.h"
#include "core/account_file.h"
#include "core/session.h"
#include "sandbox/demo_setup.h"

#include <QElapsedTimer>

#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

double peakMegabytes = 0;
double ownShare = -1;

// One run of the program; its peak memory goes to `peakMegabytes`.
void BM_BatchVersion(benchmark::State &state) {
    char program[] = KELVARO_BATCH;
    char version[] = "--version";
    char *argv[] = {program, version, nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program, &quiet, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start kelvaro-batch");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        peakMegabytes = std::max(peakMegabytes, usage.ru_maxrss / 1024.0);
    }
    posix_spawn_file_actions_destroy(&quiet);
}
BENCHMARK(BM_BatchVersion)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

void BM_DemoReport(benchmark::State &state) {
    QString refusal;
    auto demo =
        kf::demo::DemoSetup::start({QStringLiteral("bench"), QStringLiteral("--demo")}, &refusal);
    if (!demo) {
        state.SkipWithError("demo did not start");
        return;
    }
    kf::OwnedModels models;
    kf::Session session;
    session.models = models.models();
    session.AppFolder = demo->appFolder();
    const kf::AccountSettings account = kf::readAccountSettings(session);
    const kf::analytics::AnalyticsServer server{account.analyticsUrl, account.analyticsToken};
    kf::analytics::fetchSiteTable(session, server);
    kf::analytics::CheckRequest request;
    request.siteRows = {0, 1, 2, 3};
    request.periodText = QStringLiteral("Woche");
    request.report = {server, kf::analytics::ReportKind::Websites, QDate(2026, 11, 30),
                      request.periodText};
    for (auto _ : state) {
        kf::analytics::SiteReport report(session);
        QElapsedTimer wall;
        wall.start();
        const double cpu = threadCpuSeconds();
        kf::analytics::CheckRun(session, report).run(request);
        ownShare = (threadCpuSeconds() - cpu) / (wall.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_DemoReport)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        r.below("kelvaro-batch --version", "BM_BatchVersion/iterations:20/real_time", 0.050);
        char result[64];
        std::snprintf(result, sizeof result, "%.1f MB", peakMegabytes);
        r.judge("kelvaro-batch --version, peak memory", "< 30 MB", result, peakMegabytes < 30);
        const char *own = "demo report over four sites, own time";
        if (r.measured(own, "< 1 % of the run", {"BM_DemoReport/iterations:1/real_time"})) {
            std::snprintf(result, sizeof result, "at most %.3f %%", 100 * ownShare);
            r.judge(own, "< 1 % of the run", result, ownShare >= 0 && ownShare < 0.01);
        }
    });
}
