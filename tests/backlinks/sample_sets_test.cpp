// The demo's sample data sets: the same on every run, in the shape the program reads.
#include "sandbox/seokicks.h"
#include "sandbox/web_pages.h"
#include "sandbox/xovi_backlinks.h"
#include "sandbox/xovi_trends.h"
#include "text/memo.h"
#include "text/tag_per_line.h"

#include <gtest/gtest.h>

namespace {
sandbox::Request get(const std::string &path,
                     std::vector<std::pair<std::string, std::string>> params = {}) {
    sandbox::Request r;
    r.method = "GET";
    r.path = path;
    r.params = std::move(params);
    r.headers = {{"Host", "127.0.0.1:8080"}};
    return r;
}

QString line(const std::string &reply, int i) {
    kf::Memo memo;
    memo.setText(kf::tagPerLine(QString::fromStdString(reply)));
    return memo.line(i);
}
} // namespace

TEST(SampleSets, TrendValueStandsOnLine24AndRanksAreStable) {
    const auto handler = sandbox::xoviTrends(sandbox::sampleTrendData("demo"));
    const auto ask = [&](const char *key) {
        return handler(get("/api/index.php", {{"key", key},
                                              {"service", "seo"},
                                              {"method", "getKeywordTrend"},
                                              {"keyword", "seo agentur"},
                                              {"date", "2026-05-03"}}))
            ->body;
    };
    const QString rank = line(ask("demo"), 24);
    EXPECT_GT(rank.toInt(), 0);
    EXPECT_EQ(line(ask("demo"), 24), rank);
    EXPECT_EQ(line(ask("other"), 24), ""); // a wrong key gets the service's error reply
}

TEST(SampleSets, BacklinksOfBothServicesLeadToPagesOfTheSampleWeb) {
    const std::string web = "http://127.0.0.1:8080";
    const auto links = sandbox::sampleBacklinks("http://www.kunde.example", web);
    EXPECT_GE(links.size(), 40u);
    EXPECT_LE(links.size(), 140u);
    EXPECT_EQ(sandbox::sampleBacklinks("http://www.kunde.example", web).front().linkingUrl,
              links.front().linkingUrl);

    const auto kicks = sandbox::seokicks(sandbox::sampleSeokicks("demo", web));
    const std::string reply =
        kicks(get("/SEOkicksService/V1/inlinkData",
                  {{"appid", "demo"}, {"query", "http://www.kunde.example"}, {"results", "5"}}))
            ->body;
    kf::Memo memo;
    memo.setText(kf::tagPerLine(QString::fromStdString(reply)));
    int first = 0;
    while (first < memo.lineCount() && memo.line(first) != "<url>")
        ++first;
    EXPECT_EQ(memo.line(first + 1).toStdString(), links[0].linkingUrl);
    EXPECT_TRUE(memo.line(first + 6).startsWith("<![CDATA["));
    EXPECT_EQ(memo.line(first + 19), "http://www.kunde.example");

    const auto pages = sandbox::sampleWebPages("http://www.kunde.example");
    int mentioning = 0;
    for (const auto &link : links) {
        const auto page = pages(get(link.linkingUrl.substr(web.size())));
        ASSERT_TRUE(page.has_value());
        mentioning +=
            page->status == 200 && page->body.find("http://www.kunde.example") != std::string::npos;
    }
    EXPECT_GT(mentioning, int(links.size()) / 2);
    EXPECT_LT(mentioning, int(links.size()));
}
