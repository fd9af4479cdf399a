// Appending rows to a result grid the way the backlink fetch does: fill the last row, add a row,
// fit the columns, for every row.

#include "bench_support.h"
#include "text/grid_tools.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"

#include <QCoreApplication>
#include <array>
#include <vector>

namespace {

// The texts of the rows, made before the clock runs: the benchmark times the grid, not
// QString::arg.
using Rows = std::vector<std::array<QString, 5>>;

Rows backlinkRows(int rows) {
    Rows out(rows);
    for (int r = 0; r < rows; ++r) {
        out[r] = {
            QStringLiteral("http://www.linkgeber-%1.example.de/seite/%2.html").arg(r % 977).arg(r),
            QStringLiteral("Ankertext Nummer %1").arg(r), QString::number(r % 100),
            (r % 3) ? QStringLiteral("follow") : QStringLiteral("nofollow"),
            QStringLiteral("2024-05-%1").arg(1 + r % 28, 2, 10, QChar(u'0'))};
    }
    return out;
}

void appendRows(kf::StringGrid &grid, const Rows &rows) {
    for (const auto &texts : rows) {
        const int row = grid.rowCount() - 1;
        for (int col = 0; col < 5; ++col)
            grid.setCell(col, row, texts[col]);
        grid.setRowCount(grid.rowCount() + 1);
        kf::FitColumns(grid, 40);
    }
}

void BM_GridAppend(benchmark::State &state) {
    const int rows = int(state.range(0));
    const Rows texts = backlinkRows(rows);
    for (auto _ : state) {
        kf::StringGrid grid(5, 1); // measures with the program font's metrics
        appendRows(grid, texts);
        benchmark::DoNotOptimize(grid.colWidth(0));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_GridAppendWithView(benchmark::State &state) {
    const int rows = int(state.range(0));
    const Rows texts = backlinkRows(rows);
    for (auto _ : state) {
        GridView view(QStringLiteral("StringGrid5"), 5, 1);
        view.resize(800, 600);
        view.show();
        QCoreApplication::processEvents();
        appendRows(view.grid(), texts);
        QCoreApplication::processEvents(); // the view lays out and paints what changed
        benchmark::DoNotOptimize(view.grid().colWidth(0));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

BENCHMARK(BM_GridAppend)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_GridAppendWithView)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.below("20000 rows appended and fitted", "BM_GridAppend/20000/real_time", 0.5);
        reporter.ratio("2000 -> 20000 rows", "BM_GridAppend/2000/real_time",
                       "BM_GridAppend/20000/real_time", 12.0);
        reporter.below("20000 rows with the view", "BM_GridAppendWithView/20000/real_time", 0.5);
        reporter.ratio("2000 -> 20000 rows with the view", "BM_GridAppendWithView/2000/real_time",
                       "BM_GridAppendWithView/20000/real_time", 12.0);
    });
}
