// The analytics client end to end against a loopback server whose replies have the form of a real
// Piwik server's XML (declaration line, LF line ends, tab indentation, <result> root, <row>
// records with further elements after the ones the program reads), driven through the main
// window: "Hole Ids", every report kind of "Check" for days and weeks, "Import aus PiWik", and
// the exact bytes of a request on a raw socket.

#include "app/application.h"
#include "core/dialogs.h"
#include "tests/support/file_bytes.h"
#include "tests/support/gui_helpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <httplib.h>

#include <arpa/inet.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace testing_gui;
using Element = std::pair<std::string, std::string>;
using Record = std::vector<Element>;

// A reply as Piwik writes it: one record per row, each element on a tab-indented line.
std::string piwikXml(const std::vector<Record> &rows) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n";
    for (const Record &row : rows) {
        xml += "\t<row>\n";
        for (const auto &[name, value] : row)
            xml += "\t\t<" + name + ">" + value + "</" + name + ">\n";
        xml += "\t</row>\n";
    }
    return xml + "</result>";
}

Record site(const std::string &id, const std::string &url) {
    return {{"idsite", id},
            {"name", "Site " + id},
            {"main_url", url},
            {"ts_created", "2012-03-01 10:00:00"},
            {"ecommerce", "0"},
            {"sitesearch", "1"},
            {"timezone", "Europe/Berlin"},
            {"currency", "EUR"}};
}

// A referrer row. For single days the values follow the label in the order the report shows
// them; rows summed over a week carry the visits further down.
Record referrer(const std::string &label, const std::string &n, bool day) {
    if (day)
        return {
            {"label", label},          {"nb_uniq_visitors", "u" + n}, {"nb_visits", "v" + n},
            {"nb_actions", "a" + n},   {"max_actions", "m" + n},      {"sum_visit_length", "s" + n},
            {"bounce_count", "b" + n}, {"nb_visits_converted", "0"},  {"idsubdatatable", "9"}};
    return {{"label", label},
            {"nb_uniq_visitors", "u" + n},
            {"nb_actions", "a" + n},
            {"max_actions", "m" + n},
            {"sum_visit_length", "s" + n},
            {"bounce_count", "b" + n},
            {"nb_visits_converted", "0"},
            {"nb_visits", "v" + n},
            {"segment", "x"}};
}

class PiwikStandIn {
public:
    PiwikStandIn() {
        server_.Get("/index.php", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard lock(mutex_);
            targets_.push_back(req.target);
            res.set_content(reply(req), "text/xml; charset=utf-8");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~PiwikStandIn() {
        server_.stop();
        thread_.join();
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }
    std::vector<std::string> takeTargets() {
        std::lock_guard lock(mutex_);
        return std::exchange(targets_, {});
    }
    std::string sites;

private:
    std::string reply(const httplib::Request &req) {
        const std::string method = req.get_param_value("method");
        const std::string id = req.get_param_value("idSite");
        const bool day = req.get_param_value("period") == "day";
        if (method == "SitesManager.getAllSites")
            return sites;
        if (method == "Referers.getRefererType")
            return piwikXml({referrer("Direct Entry", "1", true),
                             referrer("search engines", "2", true),
                             referrer("Websites", "3", true)});
        if (method == "Referers.getKeywords")
            return piwikXml({referrer("größe kaufen", id + "1", day),
                             referrer("Search Engines", id + "2", day)});
        if (method == "Referers.getWebsites")
            return piwikXml({referrer("best-websites.example", id + "1", day),
                             referrer("forum.example", id + "2", day)});
        if (method == "SEO.getRank") {
            std::vector<Record> rows;
            for (const char *what : {"pagerank", "google-index", "bing-index", "alexa", "dmoz"})
                rows.push_back({{"label", std::string("L ") + what},
                                {"rank", std::string("R ") + what},
                                {"logo", "plugins/SEO/images/x.png"},
                                {"id", what}});
            return piwikXml(rows);
        }
        if (method == "Live.getCounters")
            return piwikXml({{{"visits", "11"},
                              {"actions", "33"},
                              {"visitsConverted", "0"},
                              {"visitors", "9"},
                              {"visitsNew", "4"}}});
        if (method == "Actions.getEntryPageUrls") {
            // A folder row with its pages in a subtable, then a page on its own.
            std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n"
                              "\t<row>\n\t\t<label>shop</label>\n\t\t<entry_nb_visits>5"
                              "</entry_nb_visits>\n\t\t<subtable>\n";
            for (const char *page : {"a", "b"})
                xml += std::string("\t\t\t<row>\n\t\t\t\t<label>/") + page +
                       "</label>\n\t\t\t\t<url>http://site" + id + ".example/shop/" + page +
                       "?p=1&amp;q=2</url>\n\t\t\t</row>\n";
            return xml +
                   "\t\t</subtable>\n\t</row>\n\t<row>\n\t\t<label>/index</label>\n"
                   "\t\t<url>http://site" +
                   id + ".example/</url>\n\t</row>\n</result>";
        }
        return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n\t<error message=\"?\" "
               "/>\n</result>";
    }

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> targets_;
};

// One raw socket: answers each connection with the next canned response and keeps the request
// bytes exactly as received.
class RawServer {
public:
    explicit RawServer(std::vector<std::string> responses) : responses_(std::move(responses)) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ::bind(fd_, reinterpret_cast<sockaddr *>(&addr), len);
        ::listen(fd_, 4);
        ::getsockname(fd_, reinterpret_cast<sockaddr *>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] {
            for (const std::string &response : responses_) {
                const int c = ::accept(fd_, nullptr, nullptr);
                if (c < 0)
                    return;
                std::string request;
                char buf[4096];
                while (request.find("\r\n\r\n") == std::string::npos) {
                    const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                    if (n <= 0)
                        break;
                    request.append(buf, size_t(n));
                }
                {
                    std::lock_guard lock(mutex_);
                    requests_.push_back(request);
                }
                ::send(c, response.data(), response.size(), MSG_NOSIGNAL);
                ::close(c);
            }
        });
    }
    ~RawServer() {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    int port() const { return port_; }
    std::vector<std::string> requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    std::vector<std::string> responses_;
    int fd_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

std::string rawResponse(const std::string &body, const std::string &extraHeaders = {}) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nConnection: close\r\n" +
           extraHeaders + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class IndependentServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        windows = createWindows(folder.root());
        form = windows.form1.get();
        title = form->windowTitle();
        find<QLineEdit>("Token")->setText("0a1b2c");
        find<QCalendarWidget>("MonthCalendar1")->setSelectedDate(QDate(2013, 5, 7));
        QObject::connect(form, &QWidget::windowTitleChanged,
                         [this](const QString &t) { captions << t; });
    }
    template <class T = QObject> T *find(const char *name) { return control<T>(form, name); }
    void holeIds(const QString &url) {
        find<QLineEdit>("URL")->setText(url);
        find<QAction>("HoleIds1")->trigger();
    }
    QStringList row(const char *grid, int r) {
        QStringList cells;
        for (int c = 0; c < gridInt(find(grid), "colCount"); ++c) {
            QString text;
            QMetaObject::invokeMethod(find(grid), "cell", Q_RETURN_ARG(QString, text),
                                      Q_ARG(int, c), Q_ARG(int, r));
            cells << text;
        }
        return cells;
    }
    QStringList memoLines(const char *memo) {
        QStringList lines;
        for (int i = 0; i < memoLineCount(find(memo)); ++i)
            lines << memoLine(find(memo), i);
        return lines;
    }
    // "Check" with one report kind, the period and live window texts and the selected items.
    void check(const char *kind, const QString &period, const QString &live,
               std::initializer_list<int> selected) {
        find<QRadioButton>(kind)->setChecked(true);
        find<QComboBox>("ComboBox2")->setCurrentText(period);
        find<QComboBox>("ComboBox1")->setCurrentText(live);
        auto *list = find<QListWidget>("ListBox1");
        list->clearSelection();
        for (int k : selected)
            list->item(k)->setSelected(true);
        captions.clear();
        QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    }
    static QStringList block(const QString &label, const QString &n) {
        return {"Quelle: " + label,     "Besucher: u" + n,
                "Besuche: v" + n,       "Aktionen: a" + n,
                "max. Aktionen: m" + n, "Aufenthaltsdauer (sek.): s" + n,
                "Absprünge: b" + n,     " "};
    }

    DataFolder folder;
    MessageCapture messages;
    Windows windows;
    TForm1 *form = nullptr;
    QString title;
    QStringList captions;
};

TEST_F(IndependentServerTest, SiteTableReportsAndImportFromRealisticReplies) {
    PiwikStandIn piwik;
    const std::string api = "/index.php?module=API&method=";
    piwik.sites = piwikXml({site("1", "http://a.example"),
                            site("2", "http://müller.example/shop?x=1&amp;y=2,3"),
                            site("7", "https://c.example")});
    // Hidden text from before must not come back into the table, the file or the list.
    QMetaObject::invokeMethod(find("StringGrid1"), "setCell", Q_ARG(int, 3), Q_ARG(int, 1),
                              Q_ARG(QString, "stale"));
    holeIds(piwik.url());
    EXPECT_EQ(
        piwik.takeTargets(),
        std::vector<std::string>{api + "SitesManager.getAllSites&format=xml&token_auth=0a1b2c"});
    EXPECT_EQ(
        testing_files::readBytes(folder.path("accounts/ids/sites.csv")),
        QByteArray("1,http://a.example\r\n2,\"http://m\xFCller.example/shop?x=1&amp;y=2,3\"\r\n"
                   "7,https://c.example\r\n"));
    EXPECT_EQ(gridInt(find("StringGrid1"), "rowCount"), 3);
    EXPECT_EQ(row("StringGrid1", 1),
              QStringList({"2", QString::fromUtf8("http://müller.example/shop?x=1&amp;y=2,3")}));
    QMetaObject::invokeMethod(find("StringGrid1"), "setColCount", Q_ARG(int, 5));
    EXPECT_EQ(row("StringGrid1", 1).value(3), "");
    QMetaObject::invokeMethod(find("StringGrid1"), "setColCount", Q_ARG(int, 2));
    auto *list = find<QListWidget>("ListBox1");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "https://c.example");

    // Referring websites per day for the first and the last site: numbered rows across sites,
    // the day's labels translated in the overview only.
    check("Webseiten_all", "Periode - Zeitraum ", "Live-Check-Abfrage", {0, 2});
    const std::string tail = "&format=xml&token_auth=0a1b2c";
    EXPECT_EQ(piwik.takeTargets(),
              (std::vector<std::string>{
                  api + "Referers.getWebsites&idSite=1&period=day&date=2013-05-07" + tail,
                  api + "Referers.getWebsites&idSite=7&period=day&date=2013-05-07" + tail}));
    QStringList expected{"Datum: 2013-05-07", "=============", "Domain: http://a.example"};
    expected << block("best-Webseiten.example", "11") << block("forum.example", "12")
             << "============="
             << "Domain: https://c.example" << block("best-Webseiten.example", "71")
             << block("forum.example", "72");
    EXPECT_EQ(memoLines("ueberblick"), expected);
    EXPECT_EQ(gridInt(find("StringGrid4"), "rowCount"), 5);
    EXPECT_EQ(row("StringGrid4", 3), QStringList({"3", "best-websites.example", "u71", "v71", "a71",
                                                  "m71", "s71", "b71"}));
    EXPECT_EQ(captions,
              QStringList({title + " Analyse läuft ... ", title + " Analyse fertig gestellt ..."}));

    // The same per week: the visits come from further down, nothing is translated.
    check("Webseiten_all", "Woche", "5", {1});
    EXPECT_EQ(piwik.takeTargets(),
              (std::vector<std::string>{
                  api + "Referers.getWebsites&idSite=2&period=week&date=2013-05-07" + tail}));
    EXPECT_EQ(memoLines("ueberblick").mid(3, 8), block("best-websites.example", "21"));
    EXPECT_EQ(row("StringGrid4", 1), QStringList({"1", "best-websites.example", "u21", "v21", "a21",
                                                  "m21", "s21", "b21"}));

    // Keywords for a day and for a week; keyword text is decoded from UTF-8 and never translated.
    for (const QString period : {"Tag", "Woche"}) {
        check("Keywords_all", period, "5", {0});
        const std::string p = period == "Tag" ? "day" : "week";
        EXPECT_EQ(piwik.takeTargets(),
                  (std::vector<std::string>{api + "Referers.getKeywords&idSite=1&period=" + p +
                                            "&date=2013-05-07" + tail}));
        EXPECT_EQ(row("StringGrid2", 1), QStringList({"1", QString::fromUtf8("größe kaufen"), "u11",
                                                      "v11", "s11", "b11"}));
        EXPECT_EQ(row("StringGrid2", 2),
                  QStringList({"2", "Search Engines", "u12", "v12", "s12", "b12"}));
        EXPECT_EQ(memoLines("ueberblick").mid(11, 8), block("Search Engines", "12"));
    }

    // Referrer kinds: always the day layout, translated whatever the letter case.
    check("overview_all", "Woche", "5", {0});
    EXPECT_EQ(piwik.takeTargets(),
              (std::vector<std::string>{api +
                                        "Referers.getRefererType&idSite=1&period=week"
                                        "&date=2013-05-07" +
                                        tail}));
    expected = QStringList{"Datum: 2013-05-07", "=============", "Domain: http://a.example"};
    expected << block("Direkt", "1") << block("Suchmaschinen", "2") << block("Webseiten", "3");
    EXPECT_EQ(memoLines("ueberblick"), expected);

    // SEO ranks: the first four result rows; "/" follows the address directly.
    check("Check_SEO", "Tag", "5", {0, 2});
    EXPECT_EQ(piwik.takeTargets(),
              (std::vector<std::string>{api + "SEO.getRank&url=http://a.example/" + tail,
                                        api + "SEO.getRank&url=https://c.example/" + tail}));
    EXPECT_EQ(row("StringGrid3", 2), QStringList({"2", "https://c.example", "R pagerank",
                                                  "R google-index", "R bing-index", "R alexa"}));
    EXPECT_EQ(gridInt(find("StringGrid3"), "rowCount"), 3);

    // Live counters for a typed window of 20 minutes.
    check("LiveCheck", "Tag", "20", {2});
    EXPECT_EQ(piwik.takeTargets(),
              (std::vector<std::string>{api + "Live.getCounters&idSite=7&lastMinutes=20" + tail}));
    EXPECT_EQ(memoLines("ueberblick"),
              QStringList({"Datum: 2013-05-07", "=============", "Domain: https://c.example",
                           "Besuche: 11", "Besucher: 9", "Aktionen: 33"}));

    // Entry pages per week, nested ones included; the count shows in the caption meanwhile.
    check("einstieg", "Woche", "20", {2});
    EXPECT_EQ(piwik.takeTargets(),
              (std::vector<std::string>{api +
                                        "Actions.getEntryPageUrls&idSite=7&period=week"
                                        "&date=2013-05-07&expanded=1" +
                                        tail}));
    EXPECT_EQ(memoLines("ueberblick"),
              QStringList({"http://site7.example/shop/a?p=1&amp;q=2",
                           "http://site7.example/shop/b?p=1&amp;q=2", "http://site7.example/"}));
    EXPECT_EQ(captions, QStringList({title + " Analyse läuft ... ", title + " 3 URLs gefunden...",
                                     title + " Analyse fertig gestellt ..."}));

    // The site addresses become the project's domain list.
    find<QComboBox>("Projekte")->setCurrentText("Kunde");
    find<QAction>("ImportausPiWik1")->trigger();
    EXPECT_EQ(testing_files::readBytes(folder.path("reporting/Kunde/domains.txt")),
              QByteArray("http://a.example\r\nhttp://m\xFCller.example/shop?x=1&amp;y=2,3\r\n"
                         "https://c.example\r\n"));
    EXPECT_EQ(find<QListWidget>("ListBox2")->count(), 3);

    // A shorter table with a character outside Windows-1252 replaces everything, as UTF-8.
    piwik.sites = piwikXml({site("4", "http://kő.example")});
    holeIds(piwik.url());
    EXPECT_EQ(testing_files::readBytes(folder.path("accounts/ids/sites.csv")),
              QByteArray("\xEF\xBB\xBF"
                         "4,http://k\xC5\x91.example\r\n"));
    EXPECT_EQ(gridInt(find("StringGrid1"), "rowCount"), 1);
    EXPECT_EQ(list->count(), 1);
    find<QAction>("ImportausPiWik1")->trigger();
    EXPECT_EQ(testing_files::readBytes(folder.path("reporting/Kunde/domains.txt")),
              QByteArray("\xEF\xBB\xBF"
                         "http://k\xC5\x91.example\r\n"));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join("|").toStdString();
}

TEST_F(IndependentServerTest, RequestBytesAndCookieOnlyForItsHost) {
    const std::string sites = piwikXml({site("3", "http://a.example")});
    RawServer raw({rawResponse(sites, "Set-Cookie: PIWIK_SESSID=k9; path=/\r\n"),
                   rawResponse(piwikXml({{{"visits", "1"}}})),
                   rawResponse(piwikXml({{{"visits", "2"}}}))});
    const QString port = QString::number(raw.port());
    holeIds("http://127.0.0.1:" + port + "/");
    ASSERT_EQ(find<QListWidget>("ListBox1")->count(), 1);
    check("LiveCheck", "Tag", "5", {0});
    find<QLineEdit>("URL")->setText("http://localhost:" + port + "/");
    check("LiveCheck", "Tag", "5", {0});

    const std::string head = "Accept: text/html, */*\r\nAccept-Encoding: identity\r\n"
                             "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    const std::string host = "Host: 127.0.0.1:" + port.toStdString() + "\r\n";
    const std::vector<std::string> requests = raw.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], "GET /index.php?module=API&method=SitesManager.getAllSites&format=xml"
                           "&token_auth=0a1b2c HTTP/1.1\r\n" +
                               host + head + "\r\n");
    EXPECT_EQ(requests[1], "GET /index.php?module=API&method=Live.getCounters&idSite=3"
                           "&lastMinutes=5&format=xml&token_auth=0a1b2c HTTP/1.1\r\n" +
                               host + head + "Cookie: PIWIK_SESSID=k9\r\n\r\n");
    EXPECT_EQ(requests[2],
              "GET /index.php?module=API&method=Live.getCounters&idSite=3"
              "&lastMinutes=5&format=xml&token_auth=0a1b2c HTTP/1.1\r\nHost: localhost:" +
                  port.toStdString() + "\r\n" + head + "\r\n");
    EXPECT_EQ(memoLine(find("ueberblick"), 3), "Besuche: 2");
}

} // namespace
