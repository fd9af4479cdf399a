// The sitemap crawler window against a loopback web server.
#include "tests/support/gui_helpers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <httplib.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

using namespace testing_gui;

namespace {

// Serves fixed bodies by path; anything else is 404.
class SitemapServer {
public:
    SitemapServer() {
        server_.Get(".*", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard lock(mutex_);
            const auto it = pages_.find(req.path);
            if (it == pages_.end()) {
                res.status = 404;
                res.set_content("not here", "text/plain");
                return;
            }
            res.set_content(it->second, "application/xml");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        for (int waited = 0; !server_.is_running() && waited < 5000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~SitemapServer() {
        server_.stop();
        thread_.join();
    }
    void page(const std::string &path, const std::string &body) {
        std::lock_guard lock(mutex_);
        pages_[path] = body;
    }
    QString url(const char *path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path));
    }

private:
    httplib::Server server_;
    std::mutex mutex_;
    std::map<std::string, std::string> pages_;
    int port_ = 0;
    std::thread thread_;
};

const std::string kThreePages =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n"
    "<url><loc>http://www.example.com/</loc><lastmod>2024-01-01</lastmod></url>\n"
    "<url><loc>http://www.example.com/a.html</loc></url>\n"
    "<url><loc>http://www.example.com/b.html</loc></url>\n"
    "</urlset>\n";

class Crawler : public ::testing::Test {
protected:
    void extract(const char *path) {
        edit->setText(server.url(path));
        QTest::mouseClick(control<QPushButton>(crawler, "Button1"), Qt::LeftButton);
    }
    QStringList collected() const {
        QStringList lines;
        for (int i = 0; i < memoLineCount(memo); ++i)
            lines << memoLine(memo, i);
        return lines;
    }

    SitemapServer server;
    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm2 *crawler = w.form2.get();
    QLineEdit *edit = control<QLineEdit>(crawler, "Edit1");
    QObject *memo = control(crawler, "Memo1");
    QObject *speich = control(w.form1.get(), "speich");
};

} // namespace

TEST_F(Crawler, CollectsTheAddressLinesOfAnLfSitemap) {
    server.page("/sitemap.xml", kThreePages);
    extract("/sitemap.xml");

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
    server.page("/mixed.xml", "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">"
                              "<url><LOC>HTTP://www.example.com/upper</LOC></url>"
                              "<url><loc>https://www.example.com/secure</loc></url>"
                              "<url><Loc>http://www.example.com/plain</Loc></url>"
                              "</urlset>");
    extract("/mixed.xml");
    EXPECT_EQ(collected(),
              QStringList({"https://www.example.com/secure", "http://www.example.com/plain"}));
    EXPECT_EQ(w.form1->windowTitle(), "2 Links gefunden");
}

TEST_F(Crawler, EachExtractionStartsFromAnEmptyList) {
    server.page("/sitemap.xml", kThreePages);
    setMemoText(memo, "old one\r\nold two\r\nold three\r\n");
    extract("/sitemap.xml");
    extract("/sitemap.xml");
    EXPECT_EQ(collected().size(), 3);
    EXPECT_EQ(collected().first(), "http://www.example.com/");
    EXPECT_EQ(w.form1->windowTitle(), "3 Links gefunden");
}

TEST_F(Crawler, CrLfSitemapAlsoCollectsItsOwnAddressLines) {
    server.page("/crlf.xml",
                "<?xml version=\"1.0\"?>\r\n"
                "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"\r\n"
                "  xsi:schemaLocation=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\r\n"
                "<url><loc>http://www.example.com/</loc></url>\r\n"
                "</urlset>\r\n");
    extract("/crlf.xml");
    EXPECT_EQ(collected(),
              QStringList({"<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"",
                           "  xsi:schemaLocation=\"http://www.sitemaps.org/schemas/sitemap/0.9\">",
                           "http://www.example.com/"}));
}

TEST_F(Crawler, FailedFetchShowsTheErrorAndKeepsListAndCaption) {
    setMemoText(memo, "http://kept.example/\r\n");
    extract("/missing.xml");
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("404")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(memoText(speich), "");
    EXPECT_EQ(memoText(memo), "http://kept.example/\r\n");
    EXPECT_EQ(w.form1->windowTitle(), "Kelvaro Fennwick v.0.4b");
}

TEST_F(Crawler, HandOverCopiesTheListAndHides) {
    server.page("/sitemap.xml", kThreePages);
    crawler->show();
    extract("/sitemap.xml");
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
