// The walk over an analytics reply: rewrite to one tag per line, index the lines, then read
// every line and compare it with the opening tag, taking values at fixed distances.

#include "bench_support.h"
#include "text/memo.h"
#include "text/tag_per_line.h"

#include <QString>

namespace {

// A site list as the analytics server sends it, grown to about `bytes` characters.
QString siteListReply(qsizetype bytes) {
    QString reply = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n");
    reply.reserve(bytes + 1024);
    for (int id = 1; reply.size() < bytes; ++id) {
        reply += QStringLiteral("\t<row>\n\t\t<idsite>%1</idsite>\n"
                                "\t\t<name>Beispielseite %1</name>\n"
                                "\t\t<main_url>http://www.seite-%1.example.de</main_url>\n"
                                "\t\t<ts_created>2012-03-04 10:11:12</ts_created>\n"
                                "\t\t<ecommerce>0</ecommerce>\n"
                                "\t\t<excluded_ips></excluded_ips>\n"
                                "\t\t<excluded_parameters></excluded_parameters>\n"
                                "\t\t<timezone>Europe/Berlin</timezone>\n"
                                "\t\t<currency>EUR</currency>\n\t</row>\n")
                     .arg(id);
    }
    reply += QStringLiteral("</result>\n");
    return reply;
}

void BM_ReplyWalk(benchmark::State &state) {
    const QString reply = siteListReply(state.range(0));
    const QString tag = QStringLiteral("<idsite>");
    qint64 matches = 0;
    int lines = 0;
    for (auto _ : state) {
        kf::Memo memo;
        memo.prepare();
        memo.setText(reply);
        kf::toTagPerLine(memo);
        lines = memo.lineCount();
        matches = 0;
        for (int i = 0; i < lines; ++i) {
            if (memo.line(i) == tag) {
                const QString id = memo.line(i + 1);
                const QString url = memo.line(i + 9);
                benchmark::DoNotOptimize(id.size() + url.size());
                ++matches;
            }
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["lines"] = lines;
    state.counters["sites"] = double(matches);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

constexpr qsizetype kMB = 1000 * 1000;

BENCHMARK(BM_ReplyWalk)
    ->Arg(10 * kMB)
    ->Arg(100 * kMB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0)
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.below("10 MB reply walk", "BM_ReplyWalk/10000000/min_time:1.000/real_time", 0.3);
        reporter.ratio("10 MB -> 100 MB", "BM_ReplyWalk/10000000/min_time:1.000/real_time",
                       "BM_ReplyWalk/100000000/min_time:1.000/real_time", 12.0);
    });
}
