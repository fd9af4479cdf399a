#include "xovi_window.h"

#include "xovi/marker_lines.h"

namespace xovi_test {
namespace {

using KeywordLists = XoviWindow;

const std::string kKeyInUrl = "/api/index.php?key=schl%C3%BCssel%201";

QString address(const std::string &base, const QString &rest) {
    return QString::fromStdString(base) + QStringLiteral("/api/index.php?key=schlüssel 1") + rest;
}

QByteArray titleOnlyHtml(const QByteArray &titles) {
    QByteArray html = "  <table>\r\n  <tr>\r\n";
    for (const QByteArray &t : titles.split(','))
        html += "    <td align=\"left\" valign=\"top\">" + t + "</td>\r\n";
    return html + "  </tr>\r\n  </table>\r\n";
}

TEST_F(KeywordLists, AllKeywordsFillTheGridSaveBothFilesLogTheAddressAndShowTheSeoTab) {
    // A fresh installation: no reporting folder until the domain is entered.
    addDomain(QStringLiteral("HTTP://www.garten.de"));
    selectDomain(QStringLiteral("HTTP://www.garten.de"));
    child<QTabWidget>("PageControl1")->setCurrentIndex(1);
    check("xovi_kw");

    EXPECT_EQ(service().targets().back(), kKeyInUrl + "&service=seo&method=getKeywords"
                                                      "&domain=www.garten.de&limit=1500"
                                                      "&sengine=google.de&format=xml");
    EXPECT_EQ(grid(), QStringList({"Nr.|URL|Keyword|Position",
                                   "1|http://www.garten.de/moebel/|gartenmöbel|3",
                                   "2|http://www.garten.de/tische/|tisch &amp; stühle|17"}));
    EXPECT_EQ(memoText(child("speich")), "");
    EXPECT_EQ(lastLine("ueberblick"),
              address(service().base(), "&service=seo&method=getKeywords&domain=www.garten.de"
                                        "&limit=1500&sengine=google.de&format=xml"));
    EXPECT_EQ(child<QTabWidget>("PageControl1")->currentWidget()->objectName(), "TabSheet1");
    EXPECT_EQ(child<QTabWidget>("PageControl2")->currentWidget()->objectName(), "SEO");

    const QString file = "reporting/xovi/key/" + stem("www.garten.de", systemDate());
    EXPECT_EQ(folder.read(file + ".csv"),
              "Nr.,URL,Keyword,Position\r\n1,http://www.garten.de/moebel/,gartenm\xF6"
              "bel,3\r\n"
              "2,http://www.garten.de/tische/,\"tisch &amp; st\xFChle\",17\r\n");
    EXPECT_TRUE(folder.read(file + ".html")
                    .contains("<td align=\"left\" valign=\"top\">tisch &amp;amp; st\xFChle</td>"));
    EXPECT_EQ(folder.read("reporting/projekte.txt"), "Kunde\r\n");
    EXPECT_EQ(form->workspace().SavePath, folder.path(file + ".csv"));
}

TEST_F(KeywordLists, NewAndLostAskByEngineIdKeepTheReplyAndNameFilesWithTheDateInForce) {
    addDomain(QStringLiteral("www.garten.de"));
    selectDomain(QStringLiteral("www.garten.de"));
    auto *engine = child<QComboBox>("sengine");
    const std::pair<const char *, const char *> engines[] = {
        {"google.at", "sengineid=2"}, {"google.ch", "sengineid=28"},
        {"bing.de", "sengineid=51"},  {"Google.de", ""},
        {"google.de", "sengineid=1"},
    };
    for (const auto &[text, parameter] : engines) {
        engine->setEditText(QString::fromLatin1(text));
        check("xovi_kw_lost");
        EXPECT_EQ(service().targets().back(), kKeyInUrl +
                                                  "&service=seo&method=getLostKeywords"
                                                  "&domain=www.garten.de&limit=1500&" +
                                                  parameter + "&format=xml");
    }
    EXPECT_EQ(grid(), QStringList({"Nr.|Keyword|Position", "1|strandkorb|41"}));
    EXPECT_TRUE(folder.read("tmp.txt").contains("\r\n<lostkeyword>\r\n"));
    EXPECT_TRUE(
        folder.exists("reporting/xovi/key/" + stem("www.garten.de", systemDate()) + "_lost.html"));

    // After an analytics step the dates are ISO dates for the rest of the run.
    child<QPushButton>("Button2")->click();
    check("xovi_kw_new");
    check("xovi_kw_new");
    EXPECT_EQ(grid(), QStringList({"Nr.|Keyword|Position", "1|loungemöbel holz|8"}));
    EXPECT_TRUE(folder.read("tmp.txt").contains("\r\n<newkeyword>\r\n"));
    EXPECT_EQ(folder.read("reporting/xovi/key/www-garten-de" + isoDate() + "_new.csv"),
              "Nr.,Keyword,Position\r\n1,\"loungem\xF6"
              "bel holz\",8\r\n");
}

TEST_F(KeywordLists, HttpsStaysAnErrorReplyGivesTitleOnlyFilesAndAFailedFetchWritesNothing) {
    addDomain(QStringLiteral("https://www.garten.de/"));
    selectDomain(QStringLiteral("https://www.garten.de/"));
    // A typed engine goes out as typed; the service answers it with an error reply.
    child<QComboBox>("sengine")->setEditText(QStringLiteral("Suche Süd"));
    check("xovi_kw");
    EXPECT_EQ(service().targets().back(),
              kKeyInUrl + "&service=seo&method=getKeywords&domain=https://www.garten.de/"
                          "&limit=1500&sengine=Suche%20S%C3%BCd&format=xml");
    EXPECT_EQ(grid(), QStringList({"Nr.|URL|Keyword|Position"}));
    const QString file =
        "reporting/xovi/key/https---www-garten-de-" + stem(QString(), systemDate());
    EXPECT_EQ(folder.read(file + ".csv"), "Nr.,URL,Keyword,Position\r\n");
    EXPECT_EQ(folder.read(file + ".html"), titleOnlyHtml("Nr.,URL,Keyword,Position"));

    // A failed fetch: the grid is reset, nothing is saved, the address is logged all the same.
    https.service().stop();
    check("xovi_kw_new");
    EXPECT_EQ(grid(), QStringList({"Nr.|Keyword|Position"}));
    EXPECT_FALSE(folder.exists(file + "_new.csv"));
    EXPECT_FALSE(folder.exists("tmp.txt"));
    EXPECT_EQ(memoText(child("speich")), "");
    EXPECT_TRUE(lastLine("ueberblick")
                    .endsWith("&service=seo&method=getnewKeywords"
                              "&domain=https://www.garten.de/&limit=1500&&format=xml"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(KeywordLists, WithoutADomainOnlyTheMessageTheLogLineAndThePageSwitchFollow) {
    // A fresh installation: "Check" makes the folder of the project list first.
    const QStringList before = grid();
    check("xovi_kw_new");
    check("xovi_kw");
    EXPECT_EQ(messages.texts(), QStringList(2, "Bitte Domain aus der Liste auswählen!"));
    EXPECT_TRUE(service().targets().empty());
    EXPECT_EQ(grid(), before);
    EXPECT_TRUE(folder.exists("reporting/projekte.txt"));
    QObject *log = child("ueberblick");
    EXPECT_EQ(memoLine(log, 1),
              address(service().base(),
                      "&service=seo&method=getnewKeywords&domain=&limit=1500&&format=xml"));
    EXPECT_EQ(memoLine(log, 2),
              address(service().base(), "&service=seo&method=getKeywords&domain=&limit=1500"
                                        "&sengine=google.de&format=xml"));
    EXPECT_EQ(child<QTabWidget>("PageControl2")->currentWidget()->objectName(), "SEO");
}

TEST_F(KeywordLists, WithNothingChosenCheckOnlyEmptiesSpeichAndSavesTheProjectItems) {
    setMemoText(child("speich"), QStringLiteral("alt"));
    child<QComboBox>("Projekte")->setEditText(QStringLiteral("nur getippt"));
    child<QTabWidget>("PageControl1")->setCurrentIndex(1);
    QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);

    EXPECT_EQ(memoText(child("speich")), "");
    EXPECT_TRUE(folder.exists("reporting/projekte.txt"));
    EXPECT_EQ(folder.read("reporting/projekte.txt"), ""); // the items, not the typed text
    EXPECT_TRUE(service().targets().empty());
    EXPECT_EQ(child<QTabWidget>("PageControl1")->currentIndex(), 1);
}

TEST_F(KeywordLists, TheKeptReplyIsSavedLineByLineEvenWhenItEndsInALoneLineFeed) {
    service().prepend([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("method") != "getnewKeywords")
            return std::nullopt;
        return sandbox::Reply::xml("<x>\n<newkeyword><k>a</k><p>4</p></newkeyword>\n</x>\n");
    });
    addDomain(QStringLiteral("www.garten.de"));
    selectDomain(QStringLiteral("www.garten.de"));
    check("xovi_kw_new");
    EXPECT_EQ(grid(), QStringList({"Nr.|Keyword|Position", "1|a|4"}));
    EXPECT_EQ(folder.read("tmp.txt"), "\r\n<x>\r\n\n\r\n<newkeyword>\r\n\r\n<k>\r\na\r\n</k>\r\n"
                                      "\r\n<p>\r\n4\r\n</p>\r\n\r\n</newkeyword>\r\n\n\r\n"
                                      "</x>\r\n\n\r\n");
}

TEST_F(KeywordLists, ADomainThatCannotNameAFileGetsItsRowsButNoReportFiles) {
    service().prepend([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("domain") != "garten*shop.de")
            return std::nullopt;
        return sandbox::Reply::xml("<xovi><url>http://a.de/</url><k>tisch</k><p>2</p></xovi>");
    });
    addDomain(QStringLiteral("garten*shop.de"));
    selectDomain(QStringLiteral("garten*shop.de"));
    check("xovi_kw");
    EXPECT_EQ(grid(), QStringList({"Nr.|URL|Keyword|Position", "1|http://a.de/|tisch|2"}));
    EXPECT_TRUE(QDir(folder.path("reporting/xovi/key")).isEmpty());
    EXPECT_TRUE(memoText(child("speich")).contains("\r\n<url>\r\n"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(KeywordLists, TheSampleDataSetIsTheSameEveryTimeAndServesTheWindow) {
    const sx::KeywordDataSet sample = sx::sampleKeywordData("schlüssel 1");
    std::size_t keywords = 0;
    for (const auto &domain : sample.domains) {
        ASSERT_EQ(domain.engines.size(), 3u);
        for (const auto &engine : domain.engines)
            keywords += engine.ranking.size();
    }
    EXPECT_TRUE(keywords >= 300 && keywords <= 600) << keywords;
    const auto &garden = sample.domains[0];
    EXPECT_EQ(sx::keywordsXml("getKeywords", garden.domain, garden.engines[1], 1500),
              sx::keywordsXml("getKeywords", garden.domain,
                              sx::sampleKeywordData().domains[0].engines[1], 1500));

    service().prepend(sx::keywordService(sample));
    addDomain(QString::fromStdString(garden.domain));
    selectDomain(QString::fromStdString(garden.domain));
    child<QComboBox>("sengine")->setEditText(QString::fromStdString(garden.engines[1].engine));
    check("xovi_kw");
    EXPECT_EQ(grid().size(), int(garden.engines[1].ranking.size()) + 1);
}

TEST(MarkerWalk, ReadsWholeMarkerLinesAndTheLinesBelowAsTheMemoWould) {
    QStringList seen;
    kf::xovi::forEachMarker(
        u"<m>\r\na\r\n\r\nb\r\nx<m>\r\n<m> \r\n<m>\r\nc\r\n", u"<m>", {1, 3},
        [&](const QList<QStringView> &v) { seen << v[0].toString() + u'|' + v[1].toString(); });
    EXPECT_EQ(seen, QStringList({"a|b", "c|"}));
}

} // namespace
} // namespace xovi_test
