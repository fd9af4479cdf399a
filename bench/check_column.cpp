// The check column of an all-keywords list against a crawled link list (the hidden Button4), on
// the real main window: its cost follows the sum of the link-list lines and the keyword rows.
// The larger case stays below the size where the link list (UTF-16, some 140 bytes a line) no
// longer fits the processor's last-level cache; past it every line costs more, whatever the
// algorithm.

#include "xovi/check_column.h"
#include "app/application.h"
#include "bench_support.h"
#include "core/workspace.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QTemporaryDir>

namespace {

QString page(int n) {
    return QStringLiteral("http://www.gartenmoebel-lindner.de/kategorie-%1/artikel-%2.html")
        .arg(n % 97)
        .arg(n);
}

void BM_CheckColumn(benchmark::State &state) {
    const int links = int(state.range(0)), rows = int(state.range(1));
    QTemporaryDir folder;
    Windows windows = createWindows(folder.path());
    kf::Workspace &ws = windows.form1->workspace();

    // Every third ranking page stands in the link list.
    QString linkList;
    for (int i = 0; i < links; ++i)
        linkList += page(i * 3) + QStringLiteral("\r\n");
    ws.ui.ueberblick->memo().setText(linkList);
    kf::StringGrid &grid = ws.ui.StringGrid3->grid();
    grid.setColCount(4);
    grid.setRowCount(rows + 1);
    grid.setCell(1, 0, QStringLiteral("URL"));
    for (int r = 1; r <= rows; ++r) {
        grid.setCell(0, r, QString::number(r));
        grid.setCell(1, r, page(r));
        grid.setCell(2, r, QStringLiteral("gartenmöbel %1").arg(r));
        grid.setCell(3, r, QString::number(r % 100 + 1));
    }

    // The comparison gives the same result when repeated, so every run does the full work.
    for (auto _ : state)
        kf::xovi::compareCheckColumn(ws);
    int matches = 0;
    for (int r = 1; r <= rows; ++r)
        matches += grid.cell(4, r) != QLatin1String("N/A");
    state.counters["matches"] = matches;
}

BENCHMARK(BM_CheckColumn)
    ->Args({20000, 1500})
    ->Args({80000, 6000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0)
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.below("20,000 links x 1,500 rows",
                       "BM_CheckColumn/20000/1500/min_time:1.000/real_time", 0.02);
        // Four times both counts: the sum grows four-fold, the product sixteen-fold.
        reporter.ratio("four times both counts",
                       "BM_CheckColumn/20000/1500/min_time:1.000/real_time",
                       "BM_CheckColumn/80000/6000/min_time:1.000/real_time", 4.8);
    });
}
