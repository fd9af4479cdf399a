#include "analytics_window.h"
#include "tests/support/gui_helpers.h"

#include <QDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using SiteTableTest = AnalyticsWindow;

const std::vector<piwik::Site> kThreeSites{
    {"1", "http://a.example"}, {"2", "http://b.example/shop"}, {"3", "http://c.example"}};

TEST_F(SiteTableTest, ThreeSitesFillGridFileAndListInReplyOrder) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites(kThreeSites));
    holeIds();

    ASSERT_EQ(rowCount("StringGrid1"), 3); // no header row
    EXPECT_EQ(colCount("StringGrid1"), 2);
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"1", "http://a.example"}));
    EXPECT_EQ(gridRow("StringGrid1", 1), QStringList({"2", "http://b.example/shop"}));
    EXPECT_EQ(gridRow("StringGrid1", 2), QStringList({"3", "http://c.example"}));
    EXPECT_EQ(fileBytes("accounts/ids/sites.csv"),
              "1,http://a.example\r\n2,http://b.example/shop\r\n3,http://c.example\r\n");
    EXPECT_EQ(items(list("ListBox1")),
              QStringList({"http://a.example", "http://b.example/shop", "http://c.example"}));
    EXPECT_EQ(form->workspace().SavePath,
              QDir::cleanPath(dir.path()) + QStringLiteral("/accounts/ids/sites.csv"));

    ASSERT_EQ(piwik.requests().size(), 1u);
    EXPECT_EQ(piwik.requests()[0], "/index.php?module=API&method=SitesManager.getAllSites"
                                   "&format=xml&token_auth=secret42");
    EXPECT_EQ(form->workspace().RequestUrl,
              piwik.baseUrl() + "index.php?module=API&method=SitesManager.getAllSites"
                                "&format=xml&token_auth=secret42");
    EXPECT_TRUE(memoScrollBars("speich"));
    EXPECT_TRUE(memoText("speich").contains("\r\n<idsite>\r\n3\r\n</idsite>\r\n"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SiteTableTest, NoSiteGivesOneEmptyRowSavedAndListed) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites({}));
    holeIds();

    EXPECT_EQ(rowCount("StringGrid1"), 1);
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"", ""}));
    EXPECT_EQ(fileBytes("accounts/ids/sites.csv"), ",\r\n");
    EXPECT_EQ(items(list("ListBox1")), QStringList({""}));
}

TEST_F(SiteTableTest, SitesAreReadByElementNameAsXml) {
    // Element names are case-sensitive; a blank before ">" is still the same element; the
    // main address is found wherever it stands in the record.
    piwik.reply("SitesManager.getAllSites",
                "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n\t<row>\n"
                "\t\t<IdSite>8</IdSite>\n\t</row>\n\t<row>\n\t\t<main_url>http://g.example"
                "</main_url>\n\t\t<idsite >7</idsite >\n\t</row>\n</result>");
    holeIds();
    EXPECT_EQ(rowCount("StringGrid1"), 1);
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"7", "http://g.example"}));
}

TEST_F(SiteTableTest, ShorterSecondReplyLeavesOnlyItsRows) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites(kThreeSites));
    holeIds();
    piwik.reply("SitesManager.getAllSites", piwik::allSites({{"9", "http://z.example"}}));
    holeIds();

    EXPECT_EQ(rowCount("StringGrid1"), 1);
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"9", "http://z.example"}));
    EXPECT_EQ(fileBytes("accounts/ids/sites.csv"), "9,http://z.example\r\n");
    EXPECT_EQ(items(list("ListBox1")), QStringList({"http://z.example"}));

    // Nothing of the first table comes back when the grid grows again.
    QMetaObject::invokeMethod(child<QObject>("StringGrid1"), "setRowCount", Q_ARG(int, 3));
    EXPECT_EQ(gridRow("StringGrid1", 1), QStringList({"", ""}));
    EXPECT_EQ(gridRow("StringGrid1", 2), QStringList({"", ""}));
}

TEST_F(SiteTableTest, CellsKeepRawTextAndCsvQuotesWhereNeeded) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites({{"4", "http://d.example/?a=1&amp;b=2"},
                                                             {"5", "http://e.example/a,b"},
                                                             {"6", ""}}));
    holeIds();
    EXPECT_EQ(cell("StringGrid1", 1, 0), "http://d.example/?a=1&amp;b=2");
    EXPECT_EQ(fileBytes("accounts/ids/sites.csv"),
              "4,http://d.example/?a=1&amp;b=2\r\n5,\"http://e.example/a,b\"\r\n6,\r\n");
    EXPECT_EQ(items(list("ListBox1")).size(), 3);
}

TEST_F(SiteTableTest, AddressWithoutTrailingSlashIsUsedUnchanged) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites(kThreeSites));
    QString base = piwik.baseUrl();
    base.chop(1);
    edit("URL")->setText(base + "/piwik");
    holeIds();
    EXPECT_EQ(form->workspace().RequestUrl,
              base + "/piwikindex.php?module=API&method=SitesManager.getAllSites"
                     "&format=xml&token_auth=secret42");
    ASSERT_EQ(piwik.requests().size(), 1u);
    EXPECT_EQ(piwik.requests()[0].rfind("/piwikindex.php?module=API&", 0), 0u);
}

class SiteTableFailureTest : public AnalyticsWindow {
protected:
    void SetUp() override {
        AnalyticsWindow::SetUp();
        piwik.reply("SitesManager.getAllSites", piwik::allSites(kThreeSites));
        holeIds();
        ASSERT_EQ(rowCount("StringGrid1"), 3);
        before = fileBytes("accounts/ids/sites.csv");
    }
    void expectUnchanged() {
        EXPECT_EQ(rowCount("StringGrid1"), 3);
        EXPECT_EQ(gridRow("StringGrid1", 2), QStringList({"3", "http://c.example"}));
        EXPECT_EQ(fileBytes("accounts/ids/sites.csv"), before);
        EXPECT_EQ(items(list("ListBox1")).size(), 3);
        EXPECT_EQ(memoText("speich"), ""); // emptied before the request
        EXPECT_TRUE(messages.isEmpty());   // failures are silent
    }
    QByteArray before;
};

TEST_F(SiteTableFailureTest, ErrorStatusLeavesEverythingUnchanged) {
    piwik.reply("SitesManager.getAllSites", piwik::allSites({{"9", "http://z.example"}}), 404);
    holeIds();
    expectUnchanged();
}

// Answers one request with a reply cut off inside its head ("200 OK" and a header line),
// then closes the connection.
class CutReplyServer {
public:
    CutReplyServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr *>(&address), size);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                return;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                request.append(buffer, size_t(n));
            }
            const std::string cut = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n";
            ::send(client, cut.data(), cut.size(), MSG_NOSIGNAL);
            ::close(client);
        });
    }
    ~CutReplyServer() {
        ::shutdown(listener_, SHUT_RDWR); // a server nobody asked stops waiting
        thread_.join();
        ::close(listener_);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }

private:
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST_F(SiteTableFailureTest, ReplyCutInsideItsHeadLeavesTheSiteFile) {
    CutReplyServer server;
    edit("URL")->setText(server.url());
    holeIds();
    expectUnchanged();
}

TEST_F(SiteTableFailureTest, UnreachableServerLeavesEverythingUnchanged) {
    piwik.stop();
    holeIds();
    expectUnchanged();
    EXPECT_TRUE(form->workspace().RequestUrl.endsWith("token_auth=secret42"));
}

TEST_F(SiteTableFailureTest, FailedSaveKeepsNewGridAndOldList) {
    // The site file's folder is taken by a file: the save fails, silently.
    QDir(dataFile("accounts/ids")).removeRecursively();
    QFile blocker(dataFile("accounts/ids"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    piwik.reply("SitesManager.getAllSites", piwik::allSites({{"9", "http://z.example"}}));
    holeIds();
    EXPECT_EQ(rowCount("StringGrid1"), 1);
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"9", "http://z.example"}));
    EXPECT_EQ(items(list("ListBox1")).size(), 3); // not rebuilt
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SiteTableTest, MissingAccountsFolderIsCreatedBeforeTheSave) {
    QDir(dataFile("accounts")).removeRecursively();
    piwik.reply("SitesManager.getAllSites", piwik::allSites(kThreeSites));
    holeIds();
    EXPECT_EQ(fileBytes("accounts/ids/sites.csv").count('\n'), 3);
    EXPECT_EQ(items(list("ListBox1")).size(), 3);
}

// Start-up with a site file: the table and the list come from it, without a request.
TEST(SiteTableStartUp, SavedSitesShowWithoutRequest) {
    testing_gui::DataFolder data;
    data.write("accounts/ids/sites.csv",
               "1,http://a.example\r\n2, http://b.example\r\n\"3\",\"http://c.example/x,y\"\r\n");

    FakePiwik piwik;
    Windows w = createWindows(data.root());
    auto *grid = w.form1->findChild<QObject *>("StringGrid1");
    auto *list = w.form1->findChild<QListWidget *>("ListBox1");
    ASSERT_TRUE(grid && list);
    int rows = 0;
    QMetaObject::invokeMethod(grid, "rowCount", Q_RETURN_ARG(int, rows));
    EXPECT_EQ(rows, 3);
    QStringList listed;
    for (int k = 0; k < list->count(); ++k)
        listed << list->item(k)->text();
    EXPECT_EQ(listed,
              QStringList({"http://a.example", " http://b.example", "http://c.example/x,y"}));
    EXPECT_TRUE(piwik.requests().empty());
}

TEST(SiteTableStartUp, BrokenSiteFileIsReportedAndKeepsRowsBeforeIt) {
    testing_gui::DataFolder data;
    data.write("accounts/ids/sites.csv",
               "1,http://a.example\r\nno-comma\r\n3,http://c.example\r\n");

    testing_gui::MessageCapture boxes;
    Windows w = createWindows(data.root());
    EXPECT_EQ(boxes.texts(), QStringList({"Listenindex überschreitet das Maximum (1)"}));
    auto *list = w.form1->findChild<QListWidget *>("ListBox1");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->count(), 0); // the list is rebuilt only after a complete load
    QString first;
    QMetaObject::invokeMethod(w.form1->findChild<QObject *>("StringGrid1"), "cell",
                              Q_RETURN_ARG(QString, first), Q_ARG(int, 1), Q_ARG(int, 0));
    EXPECT_EQ(first, "http://a.example");
}

} // namespace
