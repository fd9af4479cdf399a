// An all-keywords list after its reply has arrived: the tag-per-line rewrite, the walk filling
// StringGrid3 with a column fit after every row, and both report files, on the real main window.
// The fetch itself is the network's time, not the program's, and stays out.

#include "app/application.h"
#include "bench_support.h"
#include "core/workspace.h"
#include "sandbox/xovi_keywords.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/tag_per_line.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"
#include "xovi/keyword_lists.h"

#include <QTemporaryDir>

namespace {

QString allKeywordsReply(std::size_t keywords) {
    const std::string domain = "www.gartenmoebel-lindner.de";
    sandbox::xovi::EngineKeywords engine;
    engine.engine = "google.de";
    engine.ranking = sandbox::xovi::generatedKeywords(domain, keywords);
    return QString::fromStdString(
        sandbox::xovi::keywordsXml("getKeywords", domain, engine, keywords));
}

void BM_AllKeywordsList(benchmark::State &state) {
    QTemporaryDir folder;
    Windows windows = createWindows(folder.path());
    kf::Workspace &ws = windows.form1->workspace();
    kf::xovi::KeywordLists lists(ws);
    const auto &kind = kf::xovi::KeywordLists::allKeywords();
    const QString reply = allKeywordsReply(std::size_t(state.range(0)));
    kf::StringGrid &grid = ws.ui.StringGrid3->grid();
    kf::Memo &speich = ws.ui.speich->memo();

    for (auto _ : state) {
        for (int row = 0; row < grid.rowCount(); ++row)
            grid.clearRow(row);
        grid.setRowCount(1);
        for (int col = 0; col < kind.titles.size(); ++col)
            grid.setCell(col, 0, kind.titles[col]);
        grid.setColCount(int(kind.titles.size()));
        speich.setText(reply);
        kf::toTagPerLine(speich);
        lists.tabulate(kind, QStringLiteral("www.gartenmoebel-lindner.de"));
    }
    state.counters["rows"] = grid.rowCount() - 1;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_AllKeywordsList)
    ->Arg(1500)
    ->Arg(15000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0)
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &reporter) {
        reporter.below("1,500 keywords", "BM_AllKeywordsList/1500/min_time:1.000/real_time", 0.1);
        reporter.ratio("1,500 -> 15,000 keywords",
                       "BM_AllKeywordsList/1500/min_time:1.000/real_time",
                       "BM_AllKeywordsList/15000/min_time:1.000/real_time", 12.0);
    });
}
