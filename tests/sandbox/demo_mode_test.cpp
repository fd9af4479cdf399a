// The --demo option: its data folder, its refusal of a folder with account settings, and the
// endpoints it points this process at.
#include "app/demo_mode.h"
#include "core/data_folder.h"
#include "sandbox/demo_data.h"
#include "tests/support/file_bytes.h"
#include "tests/support/gui_helpers.h"

#include <QDir>
#include <QFile>

using namespace testing_gui;
using kf::demo::DemoMode;

namespace {

QStringList demoArguments(const QString &folder = QString()) {
    QStringList arguments{QStringLiteral("kelvaro"), QStringLiteral("--demo")};
    if (!folder.isEmpty())
        arguments << QStringLiteral("--data-dir") << folder;
    return arguments;
}

} // namespace

TEST(DemoMode, FillsAFreshFolderAndPointsThisProcessAtTheStandIns) {
    DataFolder folder;
    // The operator's own CA bundle stays trusted next to the stand-in's certificate.
    folder.write("operator-ca.pem", "OPERATOR BUNDLE");
    qputenv("KELVARO_CA_FILE", QFile::encodeName(folder.path("operator-ca.pem")));
    qunsetenv("KELVARO_XOVI_ENDPOINT");
    {
        QString refusal;
        auto demo = DemoMode::start(demoArguments(folder.root()), &refusal);
        ASSERT_TRUE(demo) << refusal.toStdString();
        EXPECT_EQ(QDir(demo->appFolder()), QDir(folder.root()));

        const std::string analytics = demo->services().analyticsUrl();
        EXPECT_EQ(folder.read("accounts/account.txt"),
                  QByteArray::fromStdString(analytics + "\r\n" + sandbox::demo::kAnalyticsToken +
                                            "\r\n" + sandbox::demo::kXoviKey + "\r\n" +
                                            sandbox::demo::kSeokicksKey + "\r\n"));
        EXPECT_EQ(folder.read("reporting/projekte.txt"), "Demo\r\n");
        EXPECT_EQ(folder.read("reporting/Demo/domains.txt"),
                  "www.lindenhof-gaertnerei.example\r\nwww.moebel-hartmann.example\r\n"
                  "www.zahnarzt-seidel.example\r\n");
        EXPECT_EQ(folder.read("reporting/projekte_kw.txt"), "www.lindenhof-gaertnerei.example\r\n");
        // Written in Windows-1252, like every list of the program.
        EXPECT_TRUE(folder.read("reporting/xovi/verlauf/www.lindenhof-gaertnerei.example.txt")
                        .startsWith("g\xe4rtnerei\r\nkletterrosen kaufen\r\n"));

        const QString xovi = qEnvironmentVariable("KELVARO_XOVI_ENDPOINT");
        EXPECT_TRUE(xovi.startsWith(QStringLiteral("https://127.0.0.1:")) &&
                    xovi.endsWith(QStringLiteral("/")))
            << xovi.toStdString();
        EXPECT_EQ(qEnvironmentVariable("KELVARO_SEOKICKS_ENDPOINT").toStdString(),
                  demo->services().seokicks().base());
        EXPECT_FALSE(qEnvironmentVariable("KELVARO_SEOKICKS_ENDPOINT").endsWith(u'/'));
        const QByteArray bundle = testing_files::readBytes(qEnvironmentVariable("KELVARO_CA_FILE"));
        EXPECT_TRUE(bundle.startsWith("OPERATOR BUNDLE"));
        EXPECT_TRUE(bundle.contains(demo->services().xoviCertificatePem().c_str()));
    }
    // Gone with the demo: later windows of the process talk to the real services again.
    EXPECT_EQ(qEnvironmentVariable("KELVARO_CA_FILE"), folder.path("operator-ca.pem"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("KELVARO_XOVI_ENDPOINT"));
    qunsetenv("KELVARO_CA_FILE");
}

TEST(DemoMode, NeverUsesTheOperatorsDataFolderAndKeepsExistingLists) {
    DataFolder operatorFolder;
    qputenv("KELVARO_DATA_DIR", QFile::encodeName(operatorFolder.root()));
    QString refusal;
    auto fresh = DemoMode::start(demoArguments(), &refusal);
    qunsetenv("KELVARO_DATA_DIR");
    ASSERT_TRUE(fresh);
    const QString freshFolder = fresh->appFolder();
    EXPECT_TRUE(freshFolder.startsWith(QDir::tempPath() + QStringLiteral("/kelvaro-demo-")));
    EXPECT_TRUE(QFile::exists(freshFolder + QStringLiteral("accounts/account.txt")));
    fresh.reset();
    EXPECT_FALSE(QFileInfo::exists(freshFolder)); // the demo's own folder leaves with it
    EXPECT_FALSE(operatorFolder.exists("accounts"));

    // A folder without account settings gets the demo's lines added to the lists it holds.
    DataFolder named;
    named.write("reporting/projekte.txt", "Kunde A\r\n");
    auto demo = DemoMode::start(demoArguments(named.root()), &refusal);
    ASSERT_TRUE(demo);
    EXPECT_EQ(named.read("reporting/projekte.txt"), "Kunde A\r\nDemo\r\n");
}

TEST(DemoMode, RefusesAFolderThatHoldsAccountSettings) {
    DataFolder folder;
    folder.write("accounts/account.txt", "http://piwik.example/\r\ntoken\r\nkey\r\nappid\r\n");
    QString refusal;
    EXPECT_FALSE(DemoMode::start(demoArguments(folder.root()), &refusal));
    EXPECT_EQ(refusal, kf::demo::refusalText(kf::withTrailingSeparator(folder.root())));
    EXPECT_TRUE(refusal.contains(QStringLiteral("überschreibt sie nicht")));
    EXPECT_EQ(folder.read("accounts/account.txt"),
              "http://piwik.example/\r\ntoken\r\nkey\r\nappid\r\n");
    EXPECT_FALSE(folder.exists("reporting"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("KELVARO_XOVI_ENDPOINT"));
}
