// Replies of today's analytics server next to the classic ones: every figure under its own
// caption, nested tables ignored, the renamed referrer method, error replies named.

#include "analytics_window.h"

#include <QStatusBar>

namespace {

using piwik::Shape;
using sandbox::piwik::Row;

const piwik::Referrer kShop{"Müller &amp; Söhne 🌱", "4", "5", "6", "7", "8", "9", "1"};
const piwik::Referrer kBlog{"blog.example", "14", "15", "16", "17", "18", "19", "0"};

// A row with a nested table that carries figures of its own, as today's expanded and
// compared reports do.
std::string withNestedTables(const piwik::Referrer &r, bool oneDay) {
    Row row = sandbox::piwik::referrerRow(r, oneDay, Shape::Today, true);
    const piwik::Referrer inner{"inner", "91", "92", "93", "94", "95", "96"};
    row.addTable("comparisons", {sandbox::piwik::referrerRow(inner, oneDay, Shape::Today)});
    row.addTable("subtable", {sandbox::piwik::referrerRow(inner, oneDay, Shape::Today)});
    return sandbox::piwik::render({row});
}

class TodaysServerTest : public AnalyticsWindow {
protected:
    void runOn(const char *kind, const char *period, const std::string &method,
               const std::string &reply, int status = 200) {
        piwik.reply(method, reply, status);
        combo("ComboBox2")->setCurrentText(period);
        chooseKind(kind);
        prepareRun();
        reportOn("3", "http://c.example");
    }
    QString statusLine() const { return child<QStatusBar>("StatusBar1")->currentMessage(); }
    static QString q(const std::string &s) { return QString::fromStdString(s); }
    const QStringList header{"=============", "Domain: http://c.example"};
};

TEST_F(TodaysServerTest, EveryReferrerFigureStandsUnderItsCaption) {
    const std::string today = piwik::referrersDay({kShop, kBlog}, Shape::Today, true);
    const std::string cut = today.substr(0, today.find("<label>blog") + 9);
    std::string wrapped = piwik::referrersMultiDay({kShop, kBlog}, Shape::Today);
    wrapped.replace(wrapped.find("<result>"), 8,
                    "<results>\n<result idSite=\"3\">\n<result date=\"2013-05-06,2013-05-12\">");
    wrapped += "\n</result>\n</results>";
    struct Case {
        const char *name, *period;
        std::string reply;
        std::vector<piwik::Referrer> rows;
    } cases[] = {
        {"today's day, nb_users and goals", "Tag", today, {kShop, kBlog}},
        {"today's week",
         "Woche",
         piwik::referrersMultiDay({kShop, kBlog}, Shape::Today),
         {kShop, kBlog}},
        {"today's month, goals",
         "Monat",
         piwik::referrersMultiDay({kShop}, Shape::Today, true),
         {kShop}},
        {"nested tables of a day", "Tag", withNestedTables(kShop, true), {kShop}},
        {"nested tables of a month", "Monat", withNestedTables(kShop, false), {kShop}},
        {"classic day", "Tag", piwik::referrersDay({kShop, kBlog}), {kShop, kBlog}},
        {"classic month, visitors no longer swapped",
         "Monat",
         piwik::referrersMultiDay({kBlog}),
         {kBlog}},
        {"XML breaking off keeps the rows before", "Tag", cut, {kShop}},
        {"a week wrapped per site and date", "Woche", wrapped, {kShop, kBlog}},
        {"error reply", "Tag", sandbox::piwik::errorReply("Kaputt"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        runOn("Webseiten_all", c.period, "Referers.getWebsites", c.reply);
        QStringList blocks = header;
        for (const piwik::Referrer &r : c.rows)
            blocks += referrerBlock(r);
        EXPECT_EQ(memoLines("ueberblick").mid(1), blocks);
        ASSERT_EQ(rowCount("StringGrid4"), int(c.rows.size()) + 1);
        for (int k = 0; k < int(c.rows.size()); ++k) {
            const piwik::Referrer &r = c.rows[size_t(k)];
            EXPECT_EQ(gridRow("StringGrid4", k + 1),
                      QStringList({QString::number(k + 1), q(r.label), q(r.visitors), q(r.visits),
                                   q(r.actions), q(r.maxActions), q(r.duration), q(r.bounces)}));
        }
        // speich keeps the reply, one tag per line.
        EXPECT_TRUE(memoText("speich").startsWith("\r\n<?xml"));
    }

    // A label wrapped whole in CDATA shows as its text.
    piwik::Referrer wrappedLabel = kBlog;
    wrappedLabel.label = "<![CDATA[Gärten & Höfe]]>";
    runOn("Webseiten_all", "Tag", "Referers.getWebsites", piwik::referrersDay({wrappedLabel}));
    EXPECT_EQ(gridRow("StringGrid4", 1).value(1), "Gärten & Höfe");

    runOn("Keywords_all", "Woche", "Referers.getKeywords",
          piwik::referrersMultiDay({kBlog}, Shape::Today, true));
    EXPECT_EQ(gridRow("StringGrid2", 1),
              QStringList({"1", "blog.example", "14", "15", "18", "19"}));
}

TEST_F(TodaysServerTest, LiveCountersAndSeoRanksByName) {
    for (Shape shape : {Shape::Today, Shape::Classic}) {
        runOn("LiveCheck", "Tag", "Live.getCounters",
              piwik::liveCounters("17", "42", "3", "11", shape));
        EXPECT_EQ(memoLines("ueberblick").mid(3),
                  QStringList({"Besuche: 17", "Besucher: 11", "Aktionen: 42"}));
    }

    struct Case {
        const char *name;
        std::string reply;
        QStringList ranks;
    } cases[] = {
        {"today: figures by their ids, lost services empty",
         sandbox::piwik::seoRank({{"domain-age", "Domain age", "12 years"},
                                  {"bing-index", "Bing indexed pages", "1,200 pages"},
                                  {"google-index", "Google indexed pages", "3,400 pages"}},
                                 Shape::Today),
         {"", "3,400 pages", "1,200 pages", ""}},
        {"classic: the first four rows in order",
         piwik::seoRank(
             {{"PageRank", "5"}, {"Google", "1"}, {"Bing", "2"}, {"Alexa", "3"}, {"Age", "4"}}),
         {"5", "1", "2", "3"}},
        {"error reply", sandbox::piwik::errorReply("Nein"), {"", "", "", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        runOn("Check_SEO", "Tag", "SEO.getRank", c.reply);
        EXPECT_EQ(gridRow("StringGrid3", 1), QStringList({"1", "http://c.example"}) + c.ranks);
    }
}

TEST_F(TodaysServerTest, ReferrerTypesAskTodaysNameOnceAndKeepIt) {
    const std::string missing = sandbox::piwik::errorReply(
        "The method 'getRefererType' does not exist or is not available in the module "
        "'Referers'.");
    for (int status : {200, 400}) {
        SCOPED_TRACE(status);
        FakePiwik today;
        today.reply("Referers.getRefererType", missing, status);
        today.reply("Referrers.getReferrerType", piwik::referrersDay({kBlog}, Shape::Today, true));
        edit("URL")->setText(today.baseUrl());
        runOn("overview_all", "Tag", "Referers.getRefererType", missing, status);
        reportOn("4", "http://d.example");

        const std::string asked =
            "&idSite=3&period=day&date=2013-05-07&format=xml&token_auth=secret42";
        EXPECT_EQ(today.requests(),
                  (std::vector<std::string>{
                      "/index.php?module=API&method=Referers.getRefererType" + asked,
                      "/index.php?module=API&method=Referrers.getReferrerType" + asked,
                      "/index.php?module=API&method=Referrers.getReferrerType&idSite=4"
                      "&period=day&date=2013-05-07&format=xml&token_auth=secret42"}));
        EXPECT_EQ(memoLines("ueberblick").mid(1, 10), header + referrerBlock(kBlog));
    }

    // A server that knows the old name never hears the new one.
    piwik.reply("Referers.getRefererType", piwik::referrersDay({kBlog}));
    edit("URL")->setText(piwik.baseUrl());
    reportOn("3", "http://c.example");
    reportOn("4", "http://d.example");
    EXPECT_EQ(piwik.requestsFor("Referers.getRefererType").size(), 2u);
    EXPECT_EQ(piwik.requests().size(), 2u);
}

TEST_F(TodaysServerTest, AnErrorReplyIsNamedInTheStatusBarAfterTheRun) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites({{"3", "http://c.example"}}));
    holeIds();
    EXPECT_FALSE(statusLine().contains("Analytics-Server"));
    piwik.reply("Referers.getKeywords",
                sandbox::piwik::errorReply("You can't access this resource as it requires a "
                                           "'view' access for the website id = 3."));
    chooseKind("Keywords_all");
    list("ListBox1")->item(0)->setSelected(true);
    check();

    EXPECT_EQ(statusLine(), "Analytics-Server: You can't access this resource as it requires a "
                            "'view' access for the website id = 3.");
    EXPECT_EQ(memoLines("ueberblick").mid(1), header);
    EXPECT_EQ(rowCount("StringGrid2"), 1);
    EXPECT_EQ(form->windowTitle(), form->workspace().WindowTitle + " Analyse fertig gestellt ...");
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
