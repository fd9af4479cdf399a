#include "analytics_window.h"

namespace {

const piwik::Referrer kGoogle{"google.com", "11", "12", "13", "14", "15", "16"};
const piwik::Referrer kPortal{"www.Websites-Portal.example", "21", "22", "23", "24", "25", "26"};

class ReferrerReportTest : public AnalyticsWindow {
protected:
    void run(const char *kind, const char *period, const std::string &method,
             const std::string &reply) {
        piwik.reply(method, reply);
        combo("ComboBox2")->setCurrentText(period);
        chooseKind(kind);
        prepareRun();
        reportOn("3", "http://c.example");
    }
    QStringList overviewAfterDate() const { return memoLines("ueberblick").mid(1); }
    const QStringList header{"=============", "Domain: http://c.example"};
};

TEST_F(ReferrerReportTest, WebsitesForOneDayGiveBlocksAndNumberedRows) {
    run("Webseiten_all", "Tag", "Referers.getWebsites", piwik::referrersDay({kGoogle, kPortal}));

    ASSERT_EQ(piwik.requests().size(), 1u);
    EXPECT_EQ(query(piwik.requests()[0]),
              "module=API&method=Referers.getWebsites&idSite=3&period=day&date=2013-05-07"
              "&format=xml&token_auth=secret42");
    // The referring host's "Websites" is translated as well.
    EXPECT_EQ(overviewAfterDate(), header + referrerBlock(kGoogle) +
                                       referrerBlock(kPortal, "www.Webseiten-Portal.example"));
    ASSERT_EQ(rowCount("StringGrid4"), 3);
    EXPECT_EQ(gridRow("StringGrid4", 1),
              QStringList({"1", "google.com", "11", "12", "13", "14", "15", "16"}));
    EXPECT_EQ(gridRow("StringGrid4", 2), QStringList({"2", "www.Websites-Portal.example", "21",
                                                      "22", "23", "24", "25", "26"}));
}

TEST_F(ReferrerReportTest, WebsitesOverSeveralDaysUseTheMultiDayLayoutUntranslated) {
    for (const char *period : {"Woche", "Monat", "letzte 7 Tage"}) {
        run("Webseiten_all", period, "Referers.getWebsites", piwik::referrersMultiDay({kPortal}));
        EXPECT_EQ(overviewAfterDate(), header + referrerBlock(kPortal)) << period;
        EXPECT_EQ(gridRow("StringGrid4", 1), QStringList({"1", "www.Websites-Portal.example", "21",
                                                          "22", "23", "24", "25", "26"}))
            << period;
    }
    EXPECT_TRUE(query(piwik.requestsFor("Referers.getWebsites")[1]).contains("&period=month&"));
}

TEST_F(ReferrerReportTest, InitialPeriodTextMeansDays) {
    run("Webseiten_all", "Periode - Zeitraum ", "Referers.getWebsites",
        piwik::referrersDay({kPortal}));
    EXPECT_EQ(gridRow("StringGrid4", 1), QStringList({"1", "www.Websites-Portal.example", "21",
                                                      "22", "23", "24", "25", "26"}));
    EXPECT_EQ(overviewAfterDate().at(2), "Quelle: www.Webseiten-Portal.example");
}

TEST_F(ReferrerReportTest, KeywordsFillTheirGridAndAreNeverTranslated) {
    const piwik::Referrer keyword{"Search Engines websites", "1", "2", "3", "4", "5", "6"};
    run("Keywords_all", "Tag", "Referers.getKeywords", piwik::referrersDay({keyword}));
    EXPECT_EQ(query(piwik.requests()[0]),
              "module=API&method=Referers.getKeywords&idSite=3&period=day&date=2013-05-07"
              "&format=xml&token_auth=secret42");
    EXPECT_EQ(overviewAfterDate(), header + referrerBlock(keyword));
    EXPECT_EQ(gridRow("StringGrid2", 1),
              QStringList({"1", "Search Engines websites", "1", "2", "5", "6"}));

    run("Keywords_all", "Woche", "Referers.getKeywords", piwik::referrersMultiDay({keyword}));
    EXPECT_EQ(overviewAfterDate(), header + referrerBlock(keyword));
    EXPECT_EQ(gridRow("StringGrid2", 1),
              QStringList({"1", "Search Engines websites", "1", "2", "5", "6"}));
}

TEST_F(ReferrerReportTest, TypesAlwaysReadDaysAndTranslateInAnyLetterCase) {
    const piwik::Referrer search{"Search Engines", "1", "2", "3", "4", "5", "6"};
    const piwik::Referrer direct{"DIRECT entry", "7", "8", "9", "10", "11", "12"};
    const piwik::Referrer sites{"websites", "13", "14", "15", "16", "17", "18"};
    const piwik::Referrer campaigns{"Campaigns", "0", "0", "0", "0", "0", "0"};
    run("overview_all", "Woche", "Referers.getRefererType",
        piwik::referrersDay({search, direct, sites, campaigns}));

    EXPECT_EQ(query(piwik.requests()[0]),
              "module=API&method=Referers.getRefererType&idSite=3&period=week&date=2013-05-07"
              "&format=xml&token_auth=secret42");
    EXPECT_EQ(overviewAfterDate(),
              header + referrerBlock(search, "Suchmaschinen") + referrerBlock(direct, "Direkt") +
                  referrerBlock(sites, "Webseiten") + referrerBlock(campaigns));
    EXPECT_EQ(rowCount("StringGrid2"), 1);
    EXPECT_EQ(rowCount("StringGrid4"), 1);
}

TEST_F(ReferrerReportTest, TranslationReachesEverySiteOfTheRun) {
    const piwik::Referrer search{"search engines", "1", "2", "3", "4", "5", "6"};
    piwik.reply("Referers.getRefererType", piwik::referrersDay({search}));
    chooseKind("overview_all");
    prepareRun();
    reportOn("1", "http://my-websites.example");
    reportOn("2", "http://search engines.example");

    const QStringList lines = memoLines("ueberblick");
    ASSERT_EQ(lines.size(), 1 + 2 * 10);
    EXPECT_EQ(lines[2], "Domain: http://my-Webseiten.example");
    EXPECT_EQ(lines[3], "Quelle: Suchmaschinen");
    EXPECT_EQ(lines[12], "Domain: http://Suchmaschinen.example");
    EXPECT_EQ(lines[13], "Quelle: Suchmaschinen");
}

TEST_F(ReferrerReportTest, FailuresAddNothingAndEmptyRepliesOnlyTheHeader) {
    run("overview_all", "Tag", "Referers.getRefererType", piwik::referrersDay({}));
    EXPECT_EQ(overviewAfterDate(), header);

    piwik.reply("Referers.getWebsites", piwik::referrersDay({kGoogle}), 404);
    chooseKind("Webseiten_all");
    reportOn("4", "http://d.example");
    EXPECT_EQ(overviewAfterDate(), header);
    EXPECT_EQ(rowCount("StringGrid4"), 1);
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
