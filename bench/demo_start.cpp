// Starting the demo's stand-ins: four loopback services (the XOVI one with a certificate made at
// start) with their handlers, and the first answer of each kind the window asks for. The target
// is under 0.5 s.

#include "bench/bench_support.h"
#include "net/http_client.h"
#include "sandbox/demo_data.h"
#include "sandbox/demo_services.h"

namespace {

void DemoServicesStart(benchmark::State &state) {
    for (auto _ : state) {
        sandbox::DemoServices services;
        benchmark::DoNotOptimize(services.analytics().port());
    }
}
BENCHMARK(DemoServicesStart)->Unit(benchmark::kMillisecond)->UseRealTime();

// Start, then the site list and the sitemap: the stand-ins answer at once.
void DemoServicesStartAndFirstReplies(benchmark::State &state) {
    for (auto _ : state) {
        sandbox::DemoServices services;
        kf::net::HttpClient client;
        const QString sites = client.fetch(
            QString::fromStdString(services.analyticsUrl() +
                                   "index.php?module=API&method=SitesManager.getAllSites&format="
                                   "xml&token_auth=" +
                                   sandbox::demo::kAnalyticsToken));
        const QString sitemap = client.fetch(QString::fromStdString(services.sitemapUrl()));
        benchmark::DoNotOptimize(sites.size() + sitemap.size());
    }
}
BENCHMARK(DemoServicesStartAndFirstReplies)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        r.below("demo stand-ins start", "DemoServicesStart/real_time", 0.5);
        r.below("demo stand-ins start and answer", "DemoServicesStartAndFirstReplies/real_time",
                0.5);
    });
}
