// Classifying one large linking page: decoding, the bounds pass and the HTML5 parser over the
// whole page. A typical 2 MB page, and pages of the shapes that make an HTML5 parser
// quadratic, each at 128 KB and 2 MB: reading must grow with the size (ratio about 16).

#include "backlinks/link_classifier.h"
#include "backlinks/parse_bounds.h"
#include "bench_support.h"

namespace {

// About 2 MB of a busy page: navigation, articles full of links to other hosts, inline
// scripts and comments, and near the end the one link to the domain and a mention of it.
QByteArray largePage(int bytes, const char *charsetMeta) {
    QByteArray page = "<!DOCTYPE html><html><head><meta charset=\"";
    page += charsetMeta;
    page += "\"><title>Magazin</title><meta name=\"robots\" content=\"index, follow\">"
            "<script>window.__data = {\"items\": [1, 2, 3], \"text\": \"<a href='x'>\"};</script>"
            "</head><body><nav><ul>";
    for (int i = 0; i < 200; ++i)
        page += "<li><a href=\"/rubrik/" + QByteArray::number(i) + "\">Rubrik</a></li>";
    page += "</ul></nav>";
    for (int i = 0; page.size() < bytes - 2000; ++i) {
        const QByteArray n = QByteArray::number(i);
        page += "<article class=\"post\" id=\"p" + n + "\"><h2>Beitrag " + n +
                "</h2><p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod "
                "tempor <a href=\"https://partner" +
                n + ".example.org/seite?id=" + n + "&amp;ref=magazin\" rel=\"noopener\">Partner " +
                n +
                "</a> incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam, "
                "quis nostrud exercitation ullamco.</p><!-- Werbung " +
                n + " --><script>track(" + n +
                ");</script><ul><li>Stichwort</li><li>Gr\xC3\xB6\xC3\x9F"
                "e</li></ul></article>\n";
    }
    page += "<footer><p>Empfohlen: kelvaro-shop.de</p><a href=\"https://www.kelvaro-shop.de/\" "
            "rel=\"sponsored\">Kelvaro Shop</a></footer></body></html>";
    return page;
}

void classify(benchmark::State &state, const char *charset, bool base = false) {
    kf::backlinks::PageReply reply;
    reply.address = QStringLiteral("https://magazin.example.net/artikel/1");
    reply.status = 200;
    reply.body = largePage(2 * 1024 * 1024, charset);
    // A <base> could send relative links anywhere: those anchors are parsed too.
    if (base)
        reply.body.replace("<title>", "<base href=\"https://magazin.example.net/\"><title>");
    for (auto _ : state) {
        const auto found = kf::backlinks::classifyPage(reply, QStringLiteral("kelvaro-shop.de"));
        if (found.verdict != kf::backlinks::kLinkNofollow)
            state.SkipWithError("wrong verdict");
        benchmark::DoNotOptimize(found.anchor);
    }
    state.SetBytesProcessed(state.iterations() * reply.body.size());
}

void BM_ClassifyPage2MbUtf8(benchmark::State &state) {
    classify(state, "utf-8");
}
void BM_ClassifyPage2MbWindows1252(benchmark::State &state) {
    classify(state, "windows-1252");
}

void BM_ClassifyPage2MbWithBase(benchmark::State &state) {
    classify(state, "utf-8", true);
}

// Pages of one pattern repeated to the size; the domain's link comes last.
QByteArray shapedPage(const char *shape, qsizetype bytes) {
    const QByteArray s(shape);
    QByteArray page;
    page.reserve(bytes + 100);
    for (int i = 0; page.size() < bytes; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (s == "open anchors")
            page += "<a href=\"https://site.test/" + n + "\">Eintrag " + n + " ";
        else if (s == "anchors in formatting")
            page += "<b><i><a href=\"https://site.test/" + n + "\">x</b>y</i>";
        else if (s == "deep nesting")
            page += "<div><span>t";
        else if (s == "open formatting")
            page += "<b id=\"" + n + "\"></p>x";
        else if (s == "many attributes")
            page += (i == 0 ? "<p " : "") + QByteArray("a") + n + "=\"1\" ";
        else if (s == "nested tables")
            page += "<table><tr><td>";
        else if (s == "nested lists")
            page += "<ul><li>";
        else if (s == "nested SVG links")
            page += "<svg><a href=\"https://site.test/" + n + "\">t";
        else if (s == "end tag attributes")
            page += (i == 0 ? "</p " : "") + QByteArray("a") + n + "=\"1\" ";
        else if (s == "cut off in a tag")
            page += (i == 0 ? "<a href=\"https://www.kelvaro-shop.de/\">Kelvaro</a><p " : "") +
                    QByteArray("a") + n + "=\"1\" ";
    }
    if (s == "cut off in a tag")
        return page;
    return page + "><a href=\"https://www.kelvaro-shop.de/\">Kelvaro</a>";
}

void BM_Shape(benchmark::State &state, const char *shape) {
    kf::backlinks::PageReply reply;
    reply.address = QStringLiteral("https://magazin.example.net/artikel/1");
    reply.status = 200;
    reply.body = shapedPage(shape, state.range(0) * 1024);
    for (auto _ : state) {
        const auto found = kf::backlinks::classifyPage(reply, QStringLiteral("kelvaro-shop.de"));
        benchmark::DoNotOptimize(found.verdict);
    }
    state.SetBytesProcessed(state.iterations() * reply.body.size());
}

// The bounds pass alone, which every page goes through before the parser.
void BM_Bounds(benchmark::State &state, const char *shape) {
    const QByteArray page = shapedPage(shape, state.range(0) * 1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kf::backlinks::boundedForParser(std::string_view(page.constData(), page.size())));
    state.SetBytesProcessed(state.iterations() * page.size());
}

const char *const kShapes[] = {"open anchors",    "anchors in formatting", "deep nesting",
                               "open formatting", "many attributes",       "nested tables",
                               "nested lists",    "nested SVG links",      "end tag attributes",
                               "cut off in a tag"};

BENCHMARK(BM_ClassifyPage2MbUtf8)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_ClassifyPage2MbWindows1252)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_ClassifyPage2MbWithBase)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(3);

} // namespace

int main(int argc, char **argv) {
    for (const char *shape : kShapes)
        benchmark::RegisterBenchmark((std::string("BM_Shape/") + shape).c_str(), BM_Shape, shape)
            ->Arg(128)
            ->Arg(2048)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime() // the parser reads large pages on a thread of its own
            ->UseRealTime()
            ->Repetitions(3);
    for (const char *shape : kShapes)
        benchmark::RegisterBenchmark((std::string("BM_Bounds/") + shape).c_str(), BM_Bounds, shape)
            ->Arg(2048)
            ->Unit(benchmark::kMillisecond);
    return bench::runBenchmarks(argc, argv, [](const bench::RecordingReporter &r) {
        r.below("2 MB page, UTF-8", "BM_ClassifyPage2MbUtf8/process_time/real_time", 0.2);
        r.below("2 MB page, Windows-1252", "BM_ClassifyPage2MbWindows1252/process_time/real_time",
                0.2);
        r.below("2 MB page with <base>", "BM_ClassifyPage2MbWithBase/process_time/real_time", 0.2);
        for (const char *shape : kShapes) {
            const std::string name = std::string("BM_Shape/") + shape;
            const std::string label = std::string(shape) + " 128 KB -> 2 MB (linear: about 16)";
            r.ratio(label.c_str(), name + "/128/process_time/real_time",
                    name + "/2048/process_time/real_time", 24.0);
            r.below((std::string(shape) + ", 2 MB").c_str(), name + "/2048/process_time/real_time",
                    0.5);
        }
    });
}
