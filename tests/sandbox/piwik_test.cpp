// The analytics stand-in answers like a Piwik server: its token check and its error replies.
#include "net/http_client.h"
#include "sandbox/demo_data.h"
#include "sandbox/piwik.h"

#include <QString>
#include <gtest/gtest.h>

using sandbox::LoopbackService;

namespace {

class PiwikStandIn : public ::testing::Test {
protected:
    void SetUp() override { service.handle(sandbox::piwik::handler(sandbox::piwik::demoData())); }
    std::string fetch(const std::string &query) {
        return client
            .fetch(QString::fromStdString(service.base() + "/index.php?module=API&" + query))
            .toStdString();
    }
    LoopbackService service;
    kf::net::HttpClient client;
};

const std::string kToken = "&format=xml&token_auth=" + sandbox::demo::kAnalyticsToken;

} // namespace

TEST_F(PiwikStandIn, AWrongTokenGetsTheServersAccessErrorForEveryMethod) {
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n\t<error message=\"";
    EXPECT_EQ(
        fetch("method=SitesManager.getAllSites&format=xml&token_auth=wrong"),
        head +
            "You can't access this resource as it requires a 'superuser' access.\" />\n</result>");
    EXPECT_EQ(fetch("method=Referers.getKeywords&idSite=2&period=day&date=2026-12-01&format=xml&"
                    "token_auth="),
              head +
                  "You can't access this resource as it requires a 'view' access for the website "
                  "id = 2.\" />\n</result>");
    EXPECT_NE(
        fetch("method=SEO.getRank&url=http://a.example/&format=xml&token_auth=x").find("<error"),
        std::string::npos);
    // With the token: the site list, and replies that repeat for the same question.
    const std::string sites = fetch("method=SitesManager.getAllSites" + kToken);
    EXPECT_NE(sites.find("\t<row>\n\t\t<idsite>1</idsite>\n\t\t<name>"), std::string::npos);
    const std::string week =
        "method=Referers.getWebsites&idSite=1&period=week&date=2026-12-01" + kToken;
    EXPECT_EQ(fetch(week), fetch(week));
    EXPECT_NE(fetch(week).find("<sum_daily_nb_uniq_visitors>"), std::string::npos);
}

TEST_F(PiwikStandIn, UnknownSitesPeriodsAndMethodsGetTheServersErrors) {
    EXPECT_NE(fetch("method=Live.getCounters&idSite=99&lastMinutes=30" + kToken)
                  .find("website id was set to '99'"),
              std::string::npos);
    EXPECT_NE(fetch("method=Referers.getKeywords&idSite=1&&date=2026-12-01" + kToken)
                  .find("Please specify a value for 'period'."),
              std::string::npos);
    EXPECT_NE(fetch("method=Referers.getNothing&idSite=1" + kToken)
                  .find("The method 'getNothing' does not exist or is not available in the module "
                        "'Referers'."),
              std::string::npos);
}

TEST_F(PiwikStandIn, ASiteHasTheSameSeoFiguresByItsMainAddressAndByItsBareDomain) {
    const std::string bare =
        fetch("method=SEO.getRank&url=www.lindenhof-gaertnerei.example" + kToken);
    EXPECT_NE(bare.find("<rank>"), std::string::npos);
    EXPECT_EQ(fetch("method=SEO.getRank&url=http://www.lindenhof-gaertnerei.example/" + kToken),
              bare);
    EXPECT_NE(fetch("method=SEO.getRank&url=www.moebel-hartmann.example" + kToken), bare);
}

TEST(PiwikShapes, TodaysServerByDefaultAndTheClassicOneOnRequest) {
    const std::string day = "&idSite=1&period=day&date=2026-12-01" + kToken;
    const std::string week = "&idSite=1&period=week&date=2026-12-01" + kToken;
    struct Case {
        sandbox::piwik::Shape shape;
        std::string query, found, absent;
    } cases[] = {
        {sandbox::piwik::Shape::Today, "method=Referers.getRefererType" + day,
         "The method 'getRefererType' does not exist", "<row>"},
        {sandbox::piwik::Shape::Today, "method=Referrers.getReferrerType" + day,
         "</nb_actions>\n\t\t<nb_users>", "<error"},
        {sandbox::piwik::Shape::Today, "method=Referrers.getWebsites" + week,
         "</nb_visits_converted>\n\t\t<sum_daily_nb_uniq_visitors>", "<nb_uniq_visitors>"},
        {sandbox::piwik::Shape::Today, "method=Live.getCounters&idSite=1&lastMinutes=30" + kToken,
         "</actions>\n\t\t<visitors>", "<error"},
        {sandbox::piwik::Shape::Today,
         "method=SEO.getRank&url=www.lindenhof-gaertnerei.example" + kToken,
         "<id>google-index</id>", "<id>pagerank</id>"},
        {sandbox::piwik::Shape::Classic, "method=Referers.getRefererType" + day,
         "</nb_actions>\n\t\t<max_actions>", "<nb_users>"},
        {sandbox::piwik::Shape::Classic, "method=Referrers.getReferrerType" + day, "does not exist",
         "<row>"},
        {sandbox::piwik::Shape::Classic, "method=Live.getCounters&idSite=1&lastMinutes=30" + kToken,
         "</visitsConverted>\n\t\t<visitors>", "<error"},
        {sandbox::piwik::Shape::Classic,
         "method=SEO.getRank&url=www.lindenhof-gaertnerei.example" + kToken, "<id>pagerank</id>",
         "<logo_link>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.query);
        sandbox::piwik::Data data = sandbox::piwik::demoData();
        data.shape = c.shape;
        LoopbackService service;
        service.handle(sandbox::piwik::handler(data));
        kf::net::HttpClient client;
        const std::string reply =
            client
                .fetch(QString::fromStdString(service.base() + "/index.php?module=API&" + c.query))
                .toStdString();
        EXPECT_NE(reply.find(c.found), std::string::npos) << reply.substr(0, 400);
        EXPECT_EQ(reply.find(c.absent), std::string::npos);
    }
}
