#include "analytics_window.h"

#include <QDir>

namespace {

class DomainImportTest : public AnalyticsWindow {
protected:
    void SetUp() override {
        AnalyticsWindow::SetUp();
        piwik.reply("SitesManager.getAllSites", piwik::allSites({{"1", "http://a.example"},
                                                                 {"2", "b.example"},
                                                                 {"3", "http://a.example"}}));
        holeIds();
        ASSERT_EQ(list("ListBox1")->count(), 3);
        list("ListBox2")->addItem("old.example");
    }
    const QStringList sites{"http://a.example", "b.example", "http://a.example"};
    const QByteArray siteLines = "http://a.example\r\nb.example\r\nhttp://a.example\r\n";
};

TEST_F(DomainImportTest, SitesBecomeTheProjectsDomainList) {
    combo("Projekte")->setCurrentText("Kunde");
    importDomains();
    EXPECT_EQ(items(list("ListBox2")), sites); // no de-duplication, nothing kept
    EXPECT_EQ(fileBytes("reporting/Kunde/domains.txt"), siteLines);
    EXPECT_TRUE(messages.isEmpty());
    // The project list is not touched.
    EXPECT_FALSE(QFile::exists(dataFile("reporting/projekte.txt")) &&
                 fileBytes("reporting/projekte.txt").contains("Kunde"));

    importDomains();
    EXPECT_EQ(items(list("ListBox2")), sites);
    EXPECT_EQ(fileBytes("reporting/Kunde/domains.txt"), siteLines);
}

TEST_F(DomainImportTest, InitialProjectTextNamesTheFolder) {
    ASSERT_EQ(combo("Projekte")->currentText(), "Projekte");
    importDomains();
    EXPECT_EQ(fileBytes("reporting/Projekte/domains.txt"), siteLines);
}

TEST_F(DomainImportTest, EmptyProjectWritesIntoTheReportingFolder) {
    QDir(dataFile("reporting")).removeRecursively();
    combo("Projekte")->setCurrentText("");
    importDomains();
    EXPECT_EQ(fileBytes("reporting/domains.txt"), siteLines);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DomainImportTest, EmptySiteListWritesAnEmptyFile) {
    list("ListBox1")->clear();
    combo("Projekte")->setCurrentText("Leer");
    importDomains();
    EXPECT_EQ(list("ListBox2")->count(), 0);
    EXPECT_EQ(fileBytes("reporting/Leer/domains.txt"), "");
}

TEST_F(DomainImportTest, UnwritableTargetShowsTheErrorAndKeepsTheItems) {
    // A file where the project folder should be: the folder cannot be made, the save fails.
    QDir().mkpath(dataFile("reporting"));
    QFile blocker(dataFile("reporting/Blockiert"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    combo("Projekte")->setCurrentText("Blockiert");
    importDomains();

    ASSERT_EQ(messages.size(), 1);
    const QString path = QDir::toNativeSeparators(dataFile("reporting/Blockiert/domains.txt"));
    EXPECT_TRUE(messages[0].startsWith("Datei \"" + path + "\" kann nicht erstellt werden. "))
        << messages[0].toStdString();
    EXPECT_EQ(items(list("ListBox2")), sites);
}

} // namespace
