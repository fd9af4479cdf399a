#include "analytics_window.h"

#include "core/date_formats.h"

namespace {

class SiteReportTest : public AnalyticsWindow {
protected:
    QString title() const { return form->workspace().WindowTitle; }
    QString lastQuery(const std::string &method) const {
        const auto r = piwik.requestsFor(method);
        return r.empty() ? QString("<none>") : query(r.back());
    }
};

TEST_F(SiteReportTest, EntryPagesListEveryUrlAndCountThemInTheCaption) {
    const std::vector<std::string> urls{"http://c.example/", "http://c.example/blog/a",
                                        "http://c.example/blog/b", "http://c.example/blog/c",
                                        "http://c.example/blog/d?x=1&amp;y=2"};
    piwik.reply("Actions.getEntryPageUrls", piwik::entryPages(urls));
    combo("ComboBox2")->setCurrentText("Woche");
    chooseKind("einstieg");
    prepareRun();
    reportOn("3", "http://c.example");

    EXPECT_EQ(edit("Edit1")->text(), "2013-05-07");
    EXPECT_EQ(lastQuery("Actions.getEntryPageUrls"),
              "module=API&method=Actions.getEntryPageUrls&idSite=3&period=week&date=2013-05-07"
              "&expanded=1&format=xml&token_auth=secret42");
    QStringList expected;
    for (const auto &u : urls)
        expected << QString::fromStdString(u);
    EXPECT_EQ(memoLines("ueberblick"), expected); // the date line is gone
    EXPECT_TRUE(memoScrollBars("ueberblick"));
    EXPECT_EQ(form->windowTitle(), title() + " 5 URLs gefunden...");
}

TEST_F(SiteReportTest, FailedEntryPagesKeepTheOverviewAndStillCountIt) {
    chooseKind("einstieg");
    prepareRun();
    QMetaObject::invokeMethod(child<QObject>("ueberblick"), "addLine", Q_ARG(QString, "kept"));
    piwik.reply("Actions.getEntryPageUrls", piwik::entryPages({"http://x.example/"}), 500);
    reportOn("3", "http://c.example");

    EXPECT_EQ(memoLines("ueberblick"), QStringList({"Datum: 2013-05-07", "kept"}));
    EXPECT_EQ(form->windowTitle(), title() + " 2 URLs gefunden...");
    EXPECT_EQ(memoText("speich"), "");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SiteReportTest, LiveCountersShowVisitsVisitorsAndActions) {
    piwik.reply("Live.getCounters", piwik::liveCounters("17", "42", "3", "11"));
    combo("ComboBox1")->setCurrentText("15");
    chooseKind("LiveCheck");
    prepareRun();
    reportOn("2", "http://b.example");
    reportOn("1", "http://a.example");

    EXPECT_EQ(lastQuery("Live.getCounters"), "module=API&method=Live.getCounters&idSite=1"
                                             "&lastMinutes=15&format=xml&token_auth=secret42");
    EXPECT_EQ(memoLines("ueberblick"),
              QStringList({"Datum: 2013-05-07", "=============", "Domain: http://b.example",
                           "Besuche: 17", "Besucher: 11", "Aktionen: 42",
                           "=============", "Domain: http://a.example", "Besuche: 17",
                           "Besucher: 11", "Aktionen: 42"}));
}

TEST_F(SiteReportTest, ShortLiveReplyGivesEmptyValuesAndFailureAddsNothing) {
    chooseKind("LiveCheck");
    prepareRun();
    piwik.reply("Live.getCounters", "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n"
                                    "\t<error message=\"Token is not valid.\" />\n</result>");
    reportOn("2", "http://b.example");
    EXPECT_EQ(memoLines("ueberblick").mid(1),
              QStringList({"=============", "Domain: http://b.example",
                           "Besuche: ", "Besucher: ", "Aktionen: "}));

    piwik.reply("Live.getCounters", piwik::liveCounters("1", "2", "3", "4"), 403);
    reportOn("1", "http://a.example");
    EXPECT_EQ(memoLines("ueberblick").size(), 6);
}

TEST_F(SiteReportTest, SeoRankRowsAreNumberedAndReadFourRanks) {
    piwik.reply("SEO.getRank", piwik::seoRank({{"Google PageRank", "5"},
                                               {"Google index", "1 230"},
                                               {"Bing index", "987"},
                                               {"Alexa Rank", "54 321"},
                                               {"Dmoz", "1"}}));
    chooseKind("Check_SEO");
    prepareRun();
    reportOn("1", "http://a.example");
    reportOn("2", "http://b.example/");

    ASSERT_EQ(rowCount("StringGrid3"), 3);
    EXPECT_EQ(gridRow("StringGrid3", 1),
              QStringList({"1", "http://a.example", "5", "1 230", "987", "54 321"}));
    EXPECT_EQ(gridRow("StringGrid3", 2),
              QStringList({"2", "http://b.example/", "5", "1 230", "987", "54 321"}));
    // A site address ending with "/" gets a second one.
    EXPECT_EQ(lastQuery("SEO.getRank"), "module=API&method=SEO.getRank&url=http://b.example//"
                                        "&format=xml&token_auth=secret42");

    piwik.stop();
    reportOn("3", "http://c.example");
    EXPECT_EQ(rowCount("StringGrid3"), 3); // no row for a failed request
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SiteReportTest, StepWithoutReportKindOnlySetsTheDate) {
    calendar()->setSelectedDate(QDate(2012, 12, 24));
    reportOn("1", "http://a.example");
    EXPECT_EQ(edit("Edit1")->text(), "2012-12-24");
    EXPECT_EQ(kf::DateFormats::shortFormat(), "yyyy-MM-dd");
    EXPECT_EQ(kf::DateFormats::dateSeparator(), "-");
    EXPECT_TRUE(piwik.requests().empty());
}

} // namespace
