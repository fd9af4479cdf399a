// The backlink fetch through the real window: 2,000 and 20,000 SEOkicks backlinks, 1,000 and
// 10,000 XOVI backlinks (walk, grid fitted after every row, the three report files), and a
// counter-check over 1,000 loopback pages at the lowest pause, whose own time beyond the pauses
// must stay under 1 % of the run.

#include "app/application.h"
#include "backlinks/backlink_fetch.h"
#include "backlinks/counter_check.h"
#include "bench_support.h"
#include "core/dialogs.h"
#include "sandbox/seokicks.h"
#include "sandbox/web_pages.h"
#include "sandbox/xovi_backlinks.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

namespace {

std::vector<sandbox::Backlink> manyLinks(int n) {
    std::vector<sandbox::Backlink> links;
    links.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        links.push_back({"http://verzeichnis" + std::to_string(i % 97) + ".example/eintrag-" +
                             std::to_string(i) + ".html",
                         "Anker " + std::to_string(i), "http://www.example.com/", i % 3 != 0});
    return links;
}

// A shown main window in a fresh data folder, its services on loopback.
struct Bench {
    QTemporaryDir dir;
    sandbox::LoopbackService service;
    Windows windows;
    TForm1 *form = nullptr;

    Bench() {
        dialogs::setMessageSink([](const QString &text) {
            std::fprintf(stderr, "box: %s\n", text.toLocal8Bit().constData());
        });
        qputenv("KELVARO_XOVI_ENDPOINT", (service.base() + "/api/").c_str());
        qputenv("KELVARO_SEOKICKS_ENDPOINT", service.base().c_str());
        windows = createWindows(dir.path());
        form = windows.form1.get();
        form->show();
        form->findChild<QLineEdit *>("xovi_api_key")->setText("k");
        form->findChild<QLineEdit *>("seokicksapi")->setText("k");
    }
    void click(const char *button) { form->findChild<QPushButton *>(button)->click(); }
    int rows() {
        int n = 0;
        QMetaObject::invokeMethod(form->findChild<QObject *>("StringGrid5"), "rowCount",
                                  Q_RETURN_ARG(int, n));
        return n;
    }
};

// Each fetch runs in a fresh window, as an operator's first fetch does: the grid's measure
// cache is empty, so a small fetch cannot live on texts that an earlier one measured.
void fetchBacklinks(benchmark::State &state, const char *radio) {
    const int n = int(state.range(0));
    const std::string domain = "http://www.example.com";
    const auto links = manyLinks(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto bench = std::make_unique<Bench>();
        bench->service.handle(sandbox::xoviBacklinks({"k", {{domain, links}}, {}}));
        bench->service.handle(sandbox::seokicks({"k", {{domain, links}}, {}}));
        bench->form->findChild<QRadioButton *>(radio)->setChecked(true);
        bench->form->findChild<QLineEdit *>("maxerg")->setText(QString::number(n));
        state.ResumeTiming();
        bench->click("Button99");
        state.PauseTiming();
        if (bench->rows() != n + 2)
            state.SkipWithError("wrong row count");
        bench.reset();
        state.ResumeTiming();
    }
}

void BM_SeokicksFetch(benchmark::State &state) {
    fetchBacklinks(state, "RadioButton18");
}
BENCHMARK(BM_SeokicksFetch)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_XoviFetch(benchmark::State &state) {
    fetchBacklinks(state, "RadioButton40");
}
BENCHMARK(BM_XoviFetch)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(3);

constexpr int kPages = 1000;
constexpr int kPauseMs = 100; // the lowest "Checkfrequenz"

double pausedSeconds = 0;

void BM_CounterCheck(benchmark::State &state) {
    Bench bench;
    std::vector<sandbox::LinkingPage> pages;
    std::vector<sandbox::Backlink> links;
    for (int i = 0; i < kPages; ++i) {
        const std::string path = "/seite-" + std::to_string(i) + ".html";
        pages.push_back(
            {path,
             i % 4 ? sandbox::LinkingPage::Kind::Mentions : sandbox::LinkingPage::Kind::Silent,
             "http://www.example.com"});
        links.push_back({bench.service.base() + path, "Anker", "http://www.example.com", true});
    }
    bench.service.handle(sandbox::webPages(pages));
    bench.service.handle(sandbox::xoviBacklinks({"k", {{"http://www.example.com", links}}, {}}));
    bench.form->findChild<QRadioButton *>("RadioButton40")->setChecked(true);
    bench.form->findChild<QLineEdit *>("maxerg")->setText(QString::number(kPages));
    bench.form->findChild<QComboBox *>("ComboBox19")->setCurrentText(QString::number(kPauseMs));
    // The runs behind "Check!" and "Gegenprobe", driven directly so that the run's pause time
    // can be read back.
    kf::backlinks::BacklinkFetch fetch(bench.form->workspace());
    kf::backlinks::CounterCheck check(bench.form->workspace(), fetch);
    kf::backlinks::BacklinkRequest request;
    request.source = kf::backlinks::BacklinkRequest::Source::Xovi;
    request.domain = bench.form->findChild<QLineEdit *>("Edit44")->text();
    request.maxResults = QString::number(kPages);
    request.xoviKey = QStringLiteral("k");
    fetch.fetch(request);
    if (bench.rows() != kPages + 2)
        state.SkipWithError("wrong row count");
    for (auto _ : state)
        check.run({request.domain, [] { return kPauseMs; }});
    pausedSeconds = check.pausedNs() / 1e9;
}
BENCHMARK(BM_CounterCheck)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        r.below("SEOkicks 20,000 backlinks", "BM_SeokicksFetch/20000", 1.0);
        r.ratio("SEOkicks 2,000 -> 20,000 (linear: at most 10)", "BM_SeokicksFetch/2000",
                "BM_SeokicksFetch/20000", 10.0);
        r.below("XOVI 10,000 backlinks", "BM_XoviFetch/10000", 1.0);
        r.ratio("XOVI 1,000 -> 10,000 (linear: at most 10)", "BM_XoviFetch/1000",
                "BM_XoviFetch/10000", 10.0);
        const char *ownTime = "counter-check of 1,000 pages, own time";
        if (r.measured(ownTime, "< 1 % of the run", {"BM_CounterCheck/iterations:1"})) {
            const double run = r.seconds("BM_CounterCheck/iterations:1");
            // Every list line pauses, the header line and the empty line too.
            const double nominal = (kPages + 2) * kPauseMs / 1000.0;
            const double own = run - pausedSeconds;
            char result[160];
            std::snprintf(result, sizeof result,
                          "%.3f s = %.2f %% of %.2f s (pauses %.2f s as measured, %.2f s nominal)",
                          own, 100 * own / run, run, pausedSeconds, nominal);
            r.judge(ownTime, "< 1 % of the run", result, own < 0.01 * run);
        }
    });
}
