// Beyond the plain sitemap: compressed sitemaps, a site's sitemap found through its robots.txt,
// and an index followed to its child sitemaps.
#include "sandbox/gzip_text.h"
#include "sitemap/gzip_data.h"
#include "sitemap/site_address.h"
#include "tests/sitemap/crawler_window.h"

#include <QProgressBar>
#include <QTimer>

using namespace testing_sitemap;

namespace {

QByteArray bytes(const std::string &text) {
    return QByteArray::fromStdString(text);
}

} // namespace

TEST_F(Crawler, ReadsGzipByItsMagicBytesWhateverNameAndType) {
    const std::string xml = urlset({"http://www.example.com/", "http://www.example.com/grün"});
    serve("/sitemap.xml.gz", Reply::make(200, sandbox::gzipped(xml), "application/x-gzip"));
    serve("/sitemap.xml", Reply::make(200, sandbox::gzipped(xml), "application/xml"));
    for (const char *path : {"/sitemap.xml.gz", "/sitemap.xml"}) {
        extract(url(path));
        ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
        EXPECT_EQ(collected(),
                  QStringList({"http://www.example.com/", "http://www.example.com/grün"}));
        EXPECT_EQ(memoLine(speich, 1), "http://www.example.com/"); // the unpacked text
        EXPECT_EQ(status(), "2 Links gefunden"); // nothing to say beyond the count
    }
}

TEST(GzipData, UnpacksWithinTheLimitAndSaysWhatItCut) {
    const std::string text(1000, 'a');
    const QByteArray packed = bytes(sandbox::gzipped(text));
    const QByteArray twoMembers = packed + bytes(sandbox::gzipped("b"));
    struct Case {
        QByteArray packed;
        qsizetype limit;
        kf::sitemap::Unpacked::State state;
        qsizetype size;
    };
    using State = kf::sitemap::Unpacked::State;
    for (const Case &c :
         {Case{packed, 1000, State::Complete, 1000}, Case{twoMembers, 2000, State::Complete, 1001},
          Case{packed, 999, State::CutAtLimit, 999},
          Case{packed.left(packed.size() / 2), 2000, State::Damaged, -1}}) {
        ASSERT_TRUE(kf::sitemap::isGzip(c.packed));
        const kf::sitemap::Unpacked u = kf::sitemap::gunzip(c.packed, c.limit);
        EXPECT_EQ(u.state, c.state);
        if (c.size >= 0) {
            EXPECT_EQ(u.data.size(), c.size);
        }
        EXPECT_LE(u.data.size(), c.limit);
    }
    EXPECT_FALSE(kf::sitemap::isGzip("<?xml"));
}

TEST_F(Crawler, FindsASitesSitemapThroughItsRobotsTxt) {
    struct Case {
        const char *name;
        std::optional<std::string> robots; // none: robots.txt is missing
        std::string sitemapPath;           // where the sitemap is then expected
        QString status;
    };
    const std::vector<Case> cases = {
        {"first of two Sitemap lines",
         "User-agent: *\nDisallow: /intern/\n"
         "# Sitemap: /not-this.xml\n"
         "SITEMAP: BASE/wp-sitemap.xml \r\nSitemap: BASE/other.xml\n",
         "/wp-sitemap.xml", "Sitemap laut robots.txt: BASE/wp-sitemap.xml"},
        {"robots.txt without Sitemap", "User-agent: *\nDisallow:\n", "/sitemap.xml",
         "Keine Sitemap in robots.txt, verwendet: BASE/sitemap.xml"},
        {"no robots.txt", std::nullopt, "/sitemap.xml",
         "Keine Sitemap in robots.txt, verwendet: BASE/sitemap.xml"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sandbox::LoopbackService site;
        const std::string siteBase = site.base();
        if (c.robots) {
            std::string robots = *c.robots;
            for (size_t at; (at = robots.find("BASE")) != std::string::npos;)
                robots.replace(at, 4, siteBase);
            site.handle([robots](const Request &r) -> std::optional<Reply> {
                if (r.path != "/robots.txt")
                    return std::nullopt;
                return Reply::make(200, robots, "text/plain");
            });
        }
        site.handle([path = c.sitemapPath](const Request &r) -> std::optional<Reply> {
            if (r.path != path)
                return std::nullopt;
            return Reply::xml(urlset({"http://www.example.com/" + path.substr(1)}));
        });
        for (const std::string &typed : {siteBase, siteBase + "/"}) {
            site.clearRequests();
            extract(QString::fromStdString(typed));
            ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
            EXPECT_EQ(site.targets(), std::vector<std::string>({"/robots.txt", c.sitemapPath}));
            EXPECT_EQ(collected(), QStringList(QString::fromStdString("http://www.example.com/" +
                                                                      c.sitemapPath.substr(1))));
            EXPECT_EQ(status(),
                      QString(c.status).replace("BASE", QString::fromStdString(siteBase)));
        }
    }
}

TEST(SiteAddress, OnlyAnAddressWithNothingBeyondTheHostNamesASite) {
    using kf::sitemap::siteRoot;
    EXPECT_EQ(siteRoot("http://127.0.0.1:8080"), "http://127.0.0.1:8080");
    EXPECT_EQ(siteRoot(" https://www.example.com/ "), "https://www.example.com");
    EXPECT_EQ(siteRoot("www.example.com"), "https://www.example.com");
    EXPECT_EQ(siteRoot("example.com/"), "https://example.com");
    for (const char *sitemap : {"http://www.example.com/sitemap.xml", "http://www.example.com/?p=1",
                                "Sitemap-URL", "ftp://www.example.com/", "www.example.com/a"})
        EXPECT_EQ(siteRoot(sitemap), "") << sitemap;
}

TEST_F(Crawler, FollowsAnIndexToItsPagesOnRequest) {
    serveXml("/index.xml",
             sitemapIndex({url("/posts.xml").toStdString(), url("/missing.xml").toStdString(),
                           "/pages.xml.gz", url("/posts.xml").toStdString(), "/html.xml"}));
    serveXml("/posts.xml", urlset({"http://www.example.com/a", "http://www.example.com/b"}));
    serve("/pages.xml.gz", Reply::make(200,
                                       sandbox::gzipped(urlset({"http://www.example.com/b",
                                                                "http://www.example.com/c"})),
                                       "application/octet-stream"));
    serve("/html.xml", Reply::html("<html><body>Wartung</body></html>"));

    QStringList statusDuringRun;
    QObject::connect(statusBar, &QStatusBar::messageChanged,
                     [&](const QString &text) { statusDuringRun << text; });
    extract(url("/index.xml"), true);

    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(service.targets(),
              std::vector<std::string>(
                  {"/index.xml", "/posts.xml", "/missing.xml", "/pages.xml.gz", "/html.xml"}));
    EXPECT_EQ(collected(), QStringList({"http://www.example.com/a", "http://www.example.com/b",
                                        "http://www.example.com/c"}));
    EXPECT_EQ(caption(), "3 Links gefunden");
    EXPECT_TRUE(statusDuringRun.contains("Unter-Sitemap nicht geladen: " + url("/missing.xml") +
                                         " (HTTP/1.1 404 Not Found)"))
        << statusDuringRun.join('|').toStdString();
    EXPECT_EQ(status(), "2 von 4 Unter-Sitemaps geladen, nicht geladen: " + url("/missing.xml") +
                            ", " + url("/html.xml"));
    EXPECT_EQ(control<QProgressBar>(w.form1.get(), "ProgressBar1")->maximum(), 4);
}

TEST_F(Crawler, AbbrechenStopsFollowingAndKeepsThePagesSoFar) {
    serveXml("/index.xml", sitemapIndex({"/one.xml", "/slow.xml", "/three.xml"}));
    serveXml("/one.xml", urlset({"http://www.example.com/1"}));
    Reply slow = Reply::xml(urlset({"http://www.example.com/2"}));
    slow.delayMs = 20000;
    serve("/slow.xml", slow);
    serveXml("/three.xml", urlset({"http://www.example.com/3"}));

    QTimer::singleShot(300, w.form1.get(), [&] {
        QTest::mouseClick(control<QPushButton>(w.form1.get(), "Abbrechen"), Qt::LeftButton);
    });
    QElapsedTimer took;
    took.start();
    extract(url("/index.xml"), true);

    EXPECT_LT(took.elapsed(), 10000);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(collected(), QStringList({"http://www.example.com/1"}));
    EXPECT_EQ(caption(), "1 Links gefunden abgebrochen");
    EXPECT_EQ(service.targets(), std::vector<std::string>({"/index.xml", "/one.xml", "/slow.xml"}));
}
