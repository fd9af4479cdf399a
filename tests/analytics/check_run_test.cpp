#include "analytics_window.h"
#include <QTimer>

namespace {

class CheckRunTest : public AnalyticsWindow {
protected:
    void SetUp() override {
        AnalyticsWindow::SetUp();
        QObject::connect(form, &QWidget::windowTitleChanged,
                         [this](const QString &title) { captions << title; });
    }
    void loadThreeSites() {
        piwik.reply("SitesManager.getAllSites", piwik::allSites({{"1", "http://a.example"},
                                                                 {"2", "http://b.example"},
                                                                 {"3", "http://c.example"}}));
        holeIds();
        ASSERT_EQ(list("ListBox1")->count(), 3);
    }
    void select(std::initializer_list<int> indices) {
        list("ListBox1")->clearSelection();
        for (int k : indices)
            list("ListBox1")->item(k)->setSelected(true);
    }
    QString title() const { return form->workspace().WindowTitle; }
    QStringList captions;
};

TEST_F(CheckRunTest, ResetsTheReportGridsAndTheOverview) {
    for (const char *grid : {"StringGrid2", "StringGrid3", "StringGrid4"}) {
        QMetaObject::invokeMethod(child<QObject>(grid), "setRowCount", Q_ARG(int, 4));
        QMetaObject::invokeMethod(child<QObject>(grid), "setCell", Q_ARG(int, 1), Q_ARG(int, 3),
                                  Q_ARG(QString, "left over"));
    }
    QMetaObject::invokeMethod(child<QObject>("ueberblick"), "setText",
                              Q_ARG(QString, "old\r\ntext\r\n"));
    check();

    EXPECT_EQ(gridRow("StringGrid3", 0), QStringList({"Nr.", "Domain", "Google Pagerank",
                                                      "Index-Google", "Index-Bing", "Alexa-Rank"}));
    EXPECT_EQ(gridRow("StringGrid2", 0), QStringList({"Nr.", "Keyword", "Besucher", "Besuche",
                                                      "Aufenthaltsdauer (sek)", "Absprünge"}));
    EXPECT_EQ(gridRow("StringGrid4", 0),
              QStringList({"Nr.", "Seite", "Besucher", "Besuche", "Aktionen", "max Aktionen",
                           "Aufenthaltsdauer (sek.)", "Absprünge"}));
    for (const char *grid : {"StringGrid2", "StringGrid3", "StringGrid4"}) {
        EXPECT_EQ(rowCount(grid), 1) << grid;
        // What the earlier rows held does not come back with the next report rows.
        QMetaObject::invokeMethod(child<QObject>(grid), "setRowCount", Q_ARG(int, 4));
        EXPECT_EQ(cell(grid, 1, 3), "") << grid;
    }
    EXPECT_EQ(memoLines("ueberblick"), QStringList({"Datum: 2013-05-07"}));
    EXPECT_TRUE(memoScrollBars("ueberblick"));
    EXPECT_EQ(captions, QStringList({title() + " Analyse läuft ... ",
                                     title() + " Analyse fertig gestellt ..."}));
    EXPECT_TRUE(piwik.requests().empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CheckRunTest, PeriodAndLiveWindowChoicesGiveTheirQueryParts) {
    struct Case {
        const char *period, *periodParam, *live, *liveParam;
    };
    const Case cases[] = {
        {"Periode - Zeitraum ", "period=day", "Live-Check-Abfrage", "lastMinutes=30"},
        {"Tag", "period=day", "5", "lastMinutes=5"},
        {"Woche", "period=week", "20", "lastMinutes=20"},
        {"Monat", "period=month", "25", "lastMinutes=25"},
        {"Jahr", "period=month", "60", "lastMinutes=25"},                   // no entry: unchanged
        {"woche", "period=month", "Live-Check-Abfrage ", "lastMinutes=25"}, // exact texts only
        {"Tag", "period=day", "50", "lastMinutes=50"},
    };
    for (const Case &c : cases) {
        combo("ComboBox2")->setCurrentText(c.period);
        combo("ComboBox1")->setCurrentText(c.live);
        prepareRun();
        EXPECT_EQ(form->workspace().PeriodParam, c.periodParam) << c.period;
        EXPECT_EQ(form->workspace().LiveMinutesParam, c.liveParam) << c.live;
    }
}

TEST_F(CheckRunTest, InitialChoicesAreUsedWithoutTouchingTheComboBoxes) {
    prepareRun();
    EXPECT_EQ(form->workspace().PeriodParam, "period=day");
    EXPECT_EQ(form->workspace().LiveMinutesParam, "lastMinutes=30");
}

TEST_F(CheckRunTest, UnmatchedPeriodBeforeAnyMatchSendsAnEmptyParameter) {
    combo("ComboBox2")->setCurrentText("Quartal");
    piwik.reply("Actions.getEntryPageUrls", piwik::entryPages({}));
    chooseKind("einstieg");
    prepareRun();
    reportOn("3", "http://c.example");
    ASSERT_EQ(piwik.requests().size(), 1u);
    EXPECT_EQ(query(piwik.requests()[0]),
              "module=API&method=Actions.getEntryPageUrls&idSite=3&&date=2013-05-07"
              "&expanded=1&format=xml&token_auth=secret42");
}

TEST_F(CheckRunTest, OnlySelectedSitesAreReportedInListOrder) {
    loadThreeSites();
    piwik.reply("SEO.getRank", piwik::seoRank({{"Google PageRank", "4"},
                                               {"Google index", "1200"},
                                               {"Bing index", "800"},
                                               {"Alexa Rank", "123456"}}));
    chooseKind("Check_SEO");
    select({0, 2});
    check();

    const auto seo = piwik.requestsFor("SEO.getRank");
    ASSERT_EQ(seo.size(), 2u);
    EXPECT_EQ(query(seo[0]),
              "module=API&method=SEO.getRank&url=http://a.example/&format=xml&token_auth=secret42");
    EXPECT_EQ(query(seo[1]),
              "module=API&method=SEO.getRank&url=http://c.example/&format=xml&token_auth=secret42");
    ASSERT_EQ(rowCount("StringGrid3"), 3);
    EXPECT_EQ(gridRow("StringGrid3", 1),
              QStringList({"1", "http://a.example", "4", "1200", "800", "123456"}));
    EXPECT_EQ(gridRow("StringGrid3", 2),
              QStringList({"2", "http://c.example", "4", "1200", "800", "123456"}));
    EXPECT_EQ(form->workspace().SiteId, "3");
    EXPECT_EQ(form->workspace().SiteName, "http://c.example");
    EXPECT_EQ(edit("Edit1")->text(), "2013-05-07");
    EXPECT_EQ(captions.last(), title() + " Analyse fertig gestellt ...");
}

TEST_F(CheckRunTest, ClosingTheWindowDuringAPauseEndsTheRun) {
    loadThreeSites();
    piwik.reply("Live.getCounters", piwik::liveCounters("5", "9", "0", "4"));
    chooseKind("LiveCheck");
    select({0, 1, 2});
    QTimer::singleShot(300, form, [this] { form->close(); }); // during the first site's pause
    check();

    EXPECT_EQ(piwik.requestsFor("Live.getCounters").size(), 1u);
}

TEST_F(CheckRunTest, ListItemWithoutGridRowReportsEmptySite) {
    loadThreeSites();
    list("ListBox1")->addItem("typed elsewhere");
    select({3});
    piwik.reply("Live.getCounters", piwik::liveCounters("5", "9", "0", "4"));
    chooseKind("LiveCheck");
    check();

    const auto live = piwik.requestsFor("Live.getCounters");
    ASSERT_EQ(live.size(), 1u);
    EXPECT_EQ(query(live[0]), "module=API&method=Live.getCounters&idSite=&lastMinutes=30"
                              "&format=xml&token_auth=secret42");
    EXPECT_EQ(memoLines("ueberblick").mid(1, 2), QStringList({"=============", "Domain: "}));
}

TEST_F(CheckRunTest, SiteWithoutReportKindOnlySetsTheDate) {
    loadThreeSites();
    select({1});
    edit("Edit1")->setText("Edit1");
    calendar()->setSelectedDate(QDate(2014, 1, 2));
    check();
    EXPECT_EQ(edit("Edit1")->text(), "2014-01-02");
    EXPECT_EQ(piwik.requests().size(), 1u); // the site list only
    EXPECT_EQ(memoLines("ueberblick"), QStringList({"Datum: 2014-01-02"}));
    EXPECT_EQ(form->workspace().SiteId, "2");
}

TEST_F(CheckRunTest, EntryPagesKeepOnlyTheLastSiteAndShowItsCount) {
    loadThreeSites();
    piwik.reply("Actions.getEntryPageUrls",
                piwik::entryPages({"http://c.example/", "http://c.example/blog/one"}));
    chooseKind("einstieg");
    select({0, 1});
    check();

    EXPECT_EQ(memoLines("ueberblick"),
              QStringList({"http://c.example/", "http://c.example/blog/one"}));
    EXPECT_EQ(piwik.requestsFor("Actions.getEntryPageUrls").size(), 2u);
    // The caption changes only once, since both sites give the same count.
    EXPECT_EQ(captions,
              QStringList({title() + " Analyse läuft ... ", title() + " 2 URLs gefunden...",
                           title() + " Analyse fertig gestellt ..."}));
}

} // namespace
