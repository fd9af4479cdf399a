// The sitemap crawler window: the Part's collection, the hand-over and where it opens.
#include "tests/sitemap/crawler_window.h"

using namespace testing_sitemap;

namespace {

const std::string kThreePages =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n"
    "<url><loc>http://www.example.com/</loc><lastmod>2024-01-01</lastmod></url>\n"
    "<url><loc>http://www.example.com/a.html</loc></url>\n"
    "<url><loc>http://www.example.com/b.html</loc></url>\n"
    "</urlset>\n";

} // namespace

TEST_F(Crawler, CollectsTheAddressLinesOfAnLfSitemap) {
    serveXml("/sitemap.xml", kThreePages);
    extract(url("/sitemap.xml"));

    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(collected(), QStringList({"http://www.example.com/", "http://www.example.com/a.html",
                                        "http://www.example.com/b.html"}));
    EXPECT_TRUE(memoScrollBars(memo));
    EXPECT_EQ(w.form1->windowTitle(), "3 Links gefunden");
    // speich keeps the sitemap with every loc value on a line of its own; line 0, with the
    // namespace address, was never examined.
    EXPECT_TRUE(memoScrollBars(speich));
    EXPECT_TRUE(memoLine(speich, 0).contains("http://www.sitemaps.org/"));
    EXPECT_EQ(memoLine(speich, 1), "http://www.example.com/");
    EXPECT_TRUE(memoText(speich).contains("<loc>\r\nhttp://www.example.com/a.html\r\n</loc>"));
}

TEST_F(Crawler, SchemeLettersCountButHttpsIsCollectedToo) {
    serveXml("/mixed.xml", "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">"
                           "<url><LOC>HTTP://www.example.com/upper</LOC></url>"
                           "<url><loc>https://www.example.com/secure</loc></url>"
                           "<url><Loc>http://www.example.com/plain</Loc></url>"
                           "</urlset>");
    extract(url("/mixed.xml"));
    EXPECT_EQ(collected(),
              QStringList({"https://www.example.com/secure", "http://www.example.com/plain"}));
    EXPECT_EQ(w.form1->windowTitle(), "2 Links gefunden");
}

TEST_F(Crawler, EachExtractionStartsFromAnEmptyList) {
    serveXml("/sitemap.xml", kThreePages);
    setMemoText(memo, "old one\r\nold two\r\nold three\r\n");
    extract(url("/sitemap.xml"));
    extract(url("/sitemap.xml"));
    EXPECT_EQ(collected().size(), 3);
    EXPECT_EQ(collected().first(), "http://www.example.com/");
    EXPECT_EQ(w.form1->windowTitle(), "3 Links gefunden");
}

TEST_F(Crawler, FailedFetchShowsTheErrorAndKeepsListAndCaption) {
    setMemoText(memo, "http://kept.example/\r\n");
    extract(url("/missing.xml"));
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("404")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(memoText(speich), "");
    EXPECT_EQ(memoText(memo), "http://kept.example/\r\n");
    EXPECT_EQ(w.form1->windowTitle(), "Kelvaro Fennwick v.0.4b");
}

TEST_F(Crawler, HandOverCopiesTheListAndHides) {
    serveXml("/sitemap.xml", kThreePages);
    crawler->show();
    extract(url("/sitemap.xml"));
    QTest::mouseClick(control<QPushButton>(crawler, "Button2"), Qt::LeftButton);

    EXPECT_TRUE(crawler->isHidden());
    QObject *overview = control(w.form1.get(), "ueberblick");
    EXPECT_EQ(memoText(overview), "http://www.example.com/\r\nhttp://www.example.com/a.html\r\n"
                                  "http://www.example.com/b.html\r\n");
    EXPECT_EQ(memoLineCount(overview), 3);
    EXPECT_EQ(memoText(memo), memoText(overview)); // the crawler keeps its list

    w.form1->SitemapCrawler1Click();
    EXPECT_TRUE(crawler->isVisible());
    EXPECT_EQ(collected().size(), 3);
}

TEST_F(Crawler, OpensCentredOverTheMainWindowAndWholeOnScreen) {
    const QRect screen = w.form1->screen()->availableGeometry();
    for (const QPoint mainAt : {screen.center() - QPoint(400, 300), screen.bottomRight()}) {
        w.form1->setGeometry(QRect(mainAt, QSize(800, 600)));
        w.form1->show();
        crawler->hide();
        w.form1->SitemapCrawler1Click();
        const QRect frame = crawler->frameGeometry();
        EXPECT_TRUE(screen.contains(frame)) << "crawler off screen";
        if (screen.contains(w.form1->frameGeometry())) {
            EXPECT_LE((frame.center() - w.form1->frameGeometry().center()).manhattanLength(), 2);
        }
    }
}
