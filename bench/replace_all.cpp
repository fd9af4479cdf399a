// Replacing with a longer text over large inputs: the sitemap crawler's loc rewrite and
// Memo::replaceAll. Ten times the text may cost at most twelve times the time.

#include "bench_support.h"
#include "text/memo.h"
#include "text/tag_per_line.h"

#include <QString>
#include <malloc.h>

namespace {

// A sitemap of about `chars` characters.
QString sitemap(qsizetype chars) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<urlset>\n");
    text.reserve(chars + 256);
    for (int i = 0; text.size() < chars; ++i)
        text += QStringLiteral("<url><loc>http://www.beispiel-shop.example.de/kategorie/seite-%1"
                               ".html</loc><lastmod>2013-05-07</lastmod></url>\n")
                    .arg(i);
    text += QStringLiteral("</urlset>\n");
    return text;
}

void BM_LocPerLine(benchmark::State &state) {
    const QString text = sitemap(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(kf::locPerLine(text).size());
}

void BM_MemoReplaceAll(benchmark::State &state) {
    const QString text = sitemap(state.range(0));
    for (auto _ : state) {
        kf::Memo memo;
        memo.setText(text);
        memo.replaceAll(QStringLiteral("</LOC>"), QStringLiteral("\r\n</loc>"), Qt::CaseInsensitive,
                        0);
        benchmark::DoNotOptimize(memo.text().size());
    }
}

constexpr qsizetype kMillion = 1000 * 1000;

BENCHMARK(BM_LocPerLine)
    ->Arg(3200 * 1000)
    ->Arg(32 * kMillion)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_MemoReplaceAll)
    ->Arg(3200 * 1000)
    ->Arg(32 * kMillion)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    // Every result gets fresh memory from the system, whatever its size, as in a single run of
    // the program: otherwise glibc keeps the small size's buffers in its heap between
    // iterations and only the large size pays for the pages it touches.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.ratio("loc rewrite, 3.2 -> 32 million characters",
                       "BM_LocPerLine/3200000/real_time", "BM_LocPerLine/32000000/real_time", 12.0);
        reporter.ratio("Memo::replaceAll, 3.2 -> 32 million characters",
                       "BM_MemoReplaceAll/3200000/real_time",
                       "BM_MemoReplaceAll/32000000/real_time", 12.0);
    });
}
