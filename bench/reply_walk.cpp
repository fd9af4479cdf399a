// The walk over an analytics reply: rewrite to one tag per line, index the lines, then read
// every line and compare it with the opening tag, taking values at fixed distances. And the
// reading of the same reply by element name, as the reports read it now.

#include "analytics/report_replies.h"
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

// Referrer rows of today's server: nb_users, goals and a nested subtable in every row.
QString referrerReply(qsizetype bytes) {
    QString reply = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n");
    reply.reserve(bytes + 4096);
    for (int k = 1; reply.size() < bytes; ++k) {
        reply +=
            QStringLiteral(
                "\t<row>\n\t\t<label>www.verweis-%1.example</label>\n"
                "\t\t<nb_uniq_visitors>%1</nb_uniq_visitors>\n\t\t<nb_visits>12</nb_visits>\n"
                "\t\t<nb_actions>31</nb_actions>\n\t\t<nb_users>0</nb_users>\n"
                "\t\t<max_actions>7</max_actions>\n\t\t<sum_visit_length>812</sum_visit_length>\n"
                "\t\t<bounce_count>4</bounce_count>\n"
                "\t\t<nb_visits_converted>1</nb_visits_converted>\n"
                "\t\t<goals>\n\t\t\t<row idgoal='1'>\n\t\t\t\t<nb_conversions>1</nb_conversions>\n"
                "\t\t\t\t<revenue>10</revenue>\n\t\t\t</row>\n\t\t</goals>\n"
                "\t\t<segment>referrerName==www.verweis-%1.example</segment>\n"
                "\t\t<subtable>\n\t\t\t<row>\n\t\t\t\t<label>/seite-%1.html</label>\n"
                "\t\t\t\t<nb_visits>3</nb_visits>\n\t\t\t</row>\n\t\t</subtable>\n\t</row>\n")
                .arg(k);
    }
    reply += QStringLiteral("</result>\n");
    return reply;
}

void BM_ReplyRowsByName(benchmark::State &state) {
    const QString reply = referrerReply(state.range(0));
    qsizetype rows = 0;
    for (auto _ : state) {
        const QList<kf::analytics::ReferrerRow> read = kf::analytics::referrerRows(reply);
        rows = read.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
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

BENCHMARK(BM_ReplyRowsByName)
    ->Arg(10 * kMB)
    ->Arg(100 * kMB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.below("10 MB reply walk", "BM_ReplyWalk/10000000/min_time:1.000/real_time", 0.3);
        reporter.ratio("10 MB -> 100 MB", "BM_ReplyWalk/10000000/min_time:1.000/real_time",
                       "BM_ReplyWalk/100000000/min_time:1.000/real_time", 12.0);
        reporter.below("10 MB reply read by name",
                       "BM_ReplyRowsByName/10000000/min_time:1.000/real_time", 0.1);
        reporter.ratio("by name, 10 MB -> 100 MB",
                       "BM_ReplyRowsByName/10000000/min_time:1.000/real_time",
                       "BM_ReplyRowsByName/100000000/min_time:1.000/real_time", 12.0);
    });
}
