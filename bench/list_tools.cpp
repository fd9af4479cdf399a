// The list and grid tools on large inputs: de-duplication, CSV save and HTML export.

#include "bench_support.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

#include <QStringList>
#include <QTemporaryDir>

namespace {

void BM_RemoveDuplicates(benchmark::State &state) {
    const int n = int(state.range(0));
    QStringList items;
    items.reserve(n);
    for (int i = 0; i < n; ++i) // about a third are repeats
        items << QStringLiteral("keyword %1").arg((i * 7919) % (n * 2 / 3));
    for (auto _ : state) {
        QStringList copy = items;
        copy.detach();
        kf::RemoveDuplicates(copy);
        benchmark::DoNotOptimize(copy.size());
    }
}

kf::StringGrid reportGrid(int rows) {
    kf::StringGrid grid(5, rows);
    for (int r = 0; r < rows; ++r) {
        grid.setCell(0, r, QStringLiteral("http://www.linkgeber-%1.example.de/a?b=%1&c=d").arg(r));
        grid.setCell(1, r, QStringLiteral("Anker \"%1\", <b>fett</b>").arg(r));
        grid.setCell(2, r, QString::number(r));
        grid.setCell(3, r, (r % 4) ? QStringLiteral("follow") : QString());
        grid.setCell(4, r, QStringLiteral("Größe Ä"));
    }
    return grid;
}

void BM_SaveGridCsv(benchmark::State &state) {
    const kf::StringGrid grid = reportGrid(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("backlinks.csv"));
    for (auto _ : state)
        kf::SaveGridCsv(grid, path);
}

void BM_ExportGridHtml(benchmark::State &state) {
    const kf::StringGrid grid = reportGrid(int(state.range(0)));
    for (auto _ : state) {
        kf::Memo memo;
        kf::ExportGridHtml(grid, memo);
        benchmark::DoNotOptimize(memo.lineCount());
    }
}

BENCHMARK(BM_RemoveDuplicates)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_SaveGridCsv)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_ExportGridHtml)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.below("RemoveDuplicates, 100000 items", "BM_RemoveDuplicates/100000/real_time",
                       0.2);
        reporter.below("SaveGridCsv, 20000 x 5", "BM_SaveGridCsv/20000/real_time", 0.2);
        reporter.below("ExportGridHtml, 20000 x 5", "BM_ExportGridHtml/20000/real_time", 0.2);
    });
}
