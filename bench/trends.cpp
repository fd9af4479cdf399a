// A trend analysis of 20 keywords over the 52 dates of a year through the real window, against
// a loopback keep-alive stand-in, side by side with the same 1,040 requests made by the fetch
// service alone. The analysis must stay within 1.5 times the bare fetches.

#include "app/application.h"
#include "bench_support.h"
#include "core/dialogs.h"
#include "keep_alive_server.h"
#include "net/http_client.h"
#include "sandbox/xovi_trends.h"
#include "trends/date_table.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kKeywords = 20;

bench::KeepAliveServer &server() {
    static bench::KeepAliveServer s(
        sandbox::trendReply("seo tool", "2026-01-04", "google.de", "7"));
    return s;
}

void BM_FetchServiceAlone(benchmark::State &state) {
    const QStringList dates = kf::trends::weekSundays(2026);
    const QString base = QString::fromStdString(server().base()) + "/api/index.php?key=k";
    for (auto _ : state) {
        kf::net::HttpClient client;
        for (int k = 0; k < kKeywords; ++k)
            for (const QString &date : dates)
                benchmark::DoNotOptimize(
                    client.fetch(base + "&keyword=kw" + QString::number(k) + "&date=" + date));
    }
}
BENCHMARK(BM_FetchServiceAlone)->Unit(benchmark::kMillisecond)->MinTime(2)->Repetitions(3);

void BM_TrendAnalysis(benchmark::State &state) {
    QTemporaryDir dir;
    dialogs::setMessageSink([](const QString &text) {
        std::fprintf(stderr, "box: %s\n", text.toLocal8Bit().constData());
    });
    qputenv("KELVARO_XOVI_ENDPOINT", (server().base() + "/api/").c_str());
    Windows windows = createWindows(dir.path());
    TForm1 *form = windows.form1.get();
    form->show();
    form->findChild<QLineEdit *>("xovi_api_key")->setText("k");
    auto *domains = form->findChild<QListWidget *>("ListBox2");
    domains->addItem("http://shop.example");
    domains->item(0)->setSelected(true);
    auto *keywords = form->findChild<QListWidget *>("kw_analyze");
    for (int k = 0; k < kKeywords; ++k) {
        keywords->addItem("keyword " + QString::number(k));
        keywords->item(k)->setSelected(true);
    }
    auto *dates = form->findChild<QListWidget *>("ListBox3");
    dates->clear();
    dates->addItems(kf::trends::weekSundays(2026));
    auto *analyse = form->findChild<QPushButton *>("Button5");
    for (auto _ : state)
        analyse->click();
    dialogs::setMessageSink({});
}
BENCHMARK(BM_TrendAnalysis)->Unit(benchmark::kMillisecond)->MinTime(2)->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        r.ratio("Trend analysis 20 x 52 vs 1,040 bare fetches (at most 1.5)",
                "BM_FetchServiceAlone/min_time:2.000", "BM_TrendAnalysis/min_time:2.000", 1.5);
    });
}
