// 1,000 sequential fetches of a small body from a loopback keep-alive server through HttpClient,
// side by side with the curl command-line tool fetching the same 1,000 URLs in one invocation
// (which also keeps its connection). Prints both times and the ratio ours / curl, then runs the
// single-fetch Google Benchmark.

#include "keep_alive_server.h"
#include "net/http_client.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kFetches = 1000;
const std::string kBody = "<result><row><label>direct</label><nb_visits>42</nb_visits></row>"
                          "</result>";

using bench::KeepAliveServer;

std::string urlFor(int port, int i) {
    return "http://127.0.0.1:" + std::to_string(port) +
           "/index.php?module=API&idSite=" + std::to_string(i);
}

double oursSeconds(int port) {
    kf::net::HttpClient client;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFetches; ++i) {
        const QString body = client.fetch(QString::fromStdString(urlFor(port, i)));
        if (body.size() != qsizetype(kBody.size())) {
            std::fprintf(stderr, "unexpected body\n");
            std::exit(1);
        }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double curlSeconds(int port, const std::string &config) {
    {
        std::ofstream out(config);
        for (int i = 0; i < kFetches; ++i)
            out << "url = \"" << urlFor(port, i) << "\"\noutput = \"/dev/null\"\n";
    }
    const std::string command =
        "curl --silent --show-error --fail --noproxy '*' --config '" + config + "'";
    const auto start = std::chrono::steady_clock::now();
    const int rc = std::system(command.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rc != 0) {
        std::fprintf(stderr, "curl failed (%d); is the curl tool installed?\n", rc);
        return -1;
    }
    return seconds;
}

void BM_FetchKeepAlive(benchmark::State &state) {
    static KeepAliveServer server(kBody);
    kf::net::HttpClient client;
    const QString url = QString::fromStdString(urlFor(server.port(), 1));
    for (auto _ : state)
        benchmark::DoNotOptimize(client.fetch(url));
}
BENCHMARK(BM_FetchKeepAlive);

} // namespace

int main(int argc, char **argv) {
    {
        KeepAliveServer server(kBody);
        const std::string config =
            "/tmp/kelvaro_fetch_bench_" + std::to_string(::getpid()) + ".cfg";
        double bestOurs = 1e9, bestCurl = 1e9;
        for (int round = 1; round <= 3; ++round) {
            const double ours = oursSeconds(server.port());
            const double curl = curlSeconds(server.port(), config);
            std::printf("round %d: HttpClient %d fetches %.1f ms, curl tool %.1f ms\n", round,
                        kFetches, ours * 1000, curl * 1000);
            bestOurs = std::min(bestOurs, ours);
            if (curl > 0)
                bestCurl = std::min(bestCurl, curl);
        }
        std::remove(config.c_str());
        std::printf("best: HttpClient %.1f ms (%.1f us per fetch), curl tool %.1f ms, "
                    "ratio ours/curl %.2f\n",
                    bestOurs * 1000, bestOurs * 1e6 / kFetches, bestCurl * 1000,
                    bestOurs / bestCurl);
        std::fflush(stdout);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
