// Starting the demo's stand-ins: four loopback services (the XOVI one with a certificate made at
// start) with their handlers and sample sets, and the first answer of each service. The target
// is under 0.5 s.

#include "bench/bench_support.h"
#include "net/http_client.h"
#include "sandbox/demo_backlinks.h"
#include "sandbox/demo_data.h"
#include "sandbox/demo_services.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

void DemoServicesStart(benchmark::State &state) {
    for (auto _ : state) {
        sandbox::DemoServices services;
        benchmark::DoNotOptimize(services.analytics().port());
    }
}
BENCHMARK(DemoServicesStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

// Start, then the first answer of each service: the site list, the sitemap, the nursery's
// keyword list over HTTPS, its SEOkicks inlinks and one of its linking pages.
void DemoServicesStartAndFirstReplies(benchmark::State &state) {
    QTemporaryDir caDir;
    for (auto _ : state) {
        sandbox::DemoServices services;
        // The XOVI stand-in's certificate is made at start: the client trusts it anew.
        QFile ca(caDir.filePath(QStringLiteral("ca.pem")));
        ca.open(QIODevice::WriteOnly | QIODevice::Truncate);
        ca.write(services.xoviCertificatePem().c_str());
        ca.close();
        qputenv("KELVARO_CA_FILE", QFile::encodeName(ca.fileName()));

        kf::net::HttpClient client;
        using sandbox::demo::kMainDomain;
        const std::string urls[] = {
            services.analyticsUrl() +
                "index.php?module=API&method=SitesManager.getAllSites&format=xml&token_auth=" +
                sandbox::demo::kAnalyticsToken,
            services.sitemapUrl(),
            services.xoviEndpoint() + "index.php?key=" + sandbox::demo::kXoviKey +
                "&service=seo&method=getKeywords&domain=" + kMainDomain +
                "&limit=1500&sengine=google.de&format=xml",
            services.seokicksEndpoint() +
                "/SEOkicksService/V1/inlinkData?appid=" + sandbox::demo::kSeokicksKey +
                "&query=" + kMainDomain + "&details=2&results=100&page=1",
            services.web().base() + sandbox::demo::demoLinks().front().page.path,
        };
        qsizetype bytes = 0;
        for (const std::string &url : urls) {
            const QString reply = client.fetch(QString::fromStdString(url));
            if (reply.size() < 200)
                state.SkipWithError("a stand-in gave no answer");
            bytes += reply.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    qunsetenv("KELVARO_CA_FILE");
}
BENCHMARK(DemoServicesStartAndFirstReplies)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        r.below("demo stand-ins start", "DemoServicesStart/real_time", 0.5);
        r.below("demo stand-ins start and answer", "DemoServicesStartAndFirstReplies/real_time",
                0.5);
    });
}
