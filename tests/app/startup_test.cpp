// The start-up sequence of the main window on real data folders.
#include "app/command_line.h"
#include "core/data_folder.h"
#include "tests/support/gui_helpers.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QListWidgetItem>
#include <QStandardPaths>

using namespace testing_gui;

namespace {

QStringList items(QComboBox *combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// A path that exists as a file but cannot be read: our own process memory refuses reads at
// offset 0 even for root, who can read any chmod 000 file.
bool makeUnreadable(const QString &path) {
    return QFile::link(QStringLiteral("/proc/self/mem"), path);
}

} // namespace

TEST(StartUp, FirstStartInEmptyFolderBuildsDateTableAndFolders) {
    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm1 *form = w.form1.get();

    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b");
    EXPECT_TRUE(QFileInfo(data.path("accounts")).isDir());
    EXPECT_FALSE(data.exists("reporting"));

    const int year = QDate::currentDate().year();
    QByteArray expectedYears;
    QStringList yearTexts;
    for (int y = year - 5; y <= year; ++y) {
        expectedYears += QByteArray::number(y) + "\r\n";
        yearTexts << QString::number(y);
        const QByteArray table = data.read("db/" + QString::number(y));
        EXPECT_EQ(table.count("\r\n"), 52) << y;
        EXPECT_EQ(table.count('\n'), 52) << y;
        EXPECT_TRUE(table.endsWith("\r\n"));
    }
    EXPECT_EQ(data.read("db/zeit.txt"), expectedYears);

    auto *years = control<QComboBox>(form, "auswahl_jahr");
    EXPECT_EQ(items(years), yearTexts);
    EXPECT_EQ(years->currentText(), "auswahl_jahr");
    EXPECT_EQ(control<QListWidget>(form, "ListBox3")->count(), 0);
    EXPECT_EQ(control<QComboBox>(form, "Projekte")->count(), 0);
    EXPECT_EQ(control<QComboBox>(form, "Domain_Xovi")->count(), 0);
    EXPECT_EQ(control<QListWidget>(form, "ListBox1")->count(), 0);
    EXPECT_EQ(control<QLineEdit>(form, "URL")->text(), "URL");
    EXPECT_EQ(control<QLineEdit>(form, "Token")->text(), "");
    // The generator used the scratch memo as its line list: the six years are left in it.
    EXPECT_EQ(memoText(control(form, "speich")), QString::fromLatin1(expectedYears));
    EXPECT_TRUE(w.form2->isHidden());
    EXPECT_TRUE(form->isHidden());
}

TEST(StartUp, ExistingDbWithoutYearListGeneratesNothing) {
    DataFolder data;
    data.makeFolder("db");
    MessageCapture boxes;
    Windows w = createWindows(data.root());

    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_TRUE(QDir(data.path("db")).isEmpty());
    auto *years = control<QComboBox>(w.form1.get(), "auswahl_jahr");
    EXPECT_EQ(years->count(), 0);
    EXPECT_EQ(years->currentText(), "auswahl_jahr");
    EXPECT_EQ(memoText(control(w.form1.get(), "speich")), "speich");
    EXPECT_EQ(w.form1->windowTitle(), "Kelvaro Fennwick v.0.4b");
}

TEST(StartUp, ListFilesBecomeComboItemsWithoutTouchingTheirText) {
    DataFolder data;
    data.write("db/zeit.txt", "2019\r\n2020\r\n");
    // Were the reload to count as a change of the year combo, these would be listed.
    data.write("db/auswahl_jahr", "wrong\r\n");
    data.write("db/2019", "2019-01-06\r\n");
    data.write("reporting/projekte_kw.txt", "example.org\nexample.net\n");
    data.write("reporting/projekte.txt", "Alpha\rBeta\r\nGamma");
    MessageCapture boxes;
    Windows w = createWindows(data.root() + "/");
    TForm1 *form = w.form1.get();

    EXPECT_TRUE(boxes.texts().isEmpty());
    auto *years = control<QComboBox>(form, "auswahl_jahr");
    EXPECT_EQ(items(years), QStringList({"2019", "2020"}));
    EXPECT_EQ(years->currentText(), "auswahl_jahr");
    EXPECT_EQ(control<QListWidget>(form, "ListBox3")->count(), 0);

    auto *watched = control<QComboBox>(form, "Domain_Xovi");
    EXPECT_EQ(items(watched), QStringList({"example.org", "example.net"}));
    EXPECT_EQ(watched->currentText(), "Domain_Xovi");
    auto *projects = control<QComboBox>(form, "Projekte");
    EXPECT_EQ(items(projects), QStringList({"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(projects->currentText(), "Projekte");
    EXPECT_EQ(form->workspace().AppFolder, QDir::fromNativeSeparators(data.root()) + "/");
}

TEST(StartUp, UnreadableFileEndsTheSequenceWithOneErrorBox) {
    DataFolder data;
    data.makeFolder("db");
    data.makeFolder("reporting");
    ASSERT_TRUE(makeUnreadable(data.path("reporting/projekte.txt")));
    data.write("reporting/projekte_kw.txt", "example.org\r\n");
    data.write("accounts/account.txt", "http://stats.example/\r\ntok\r\nx\r\ns\r\n");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm1 *form = w.form1.get();

    ASSERT_EQ(boxes.texts().size(), 1);
    const QString expectedPath = QDir::toNativeSeparators(data.path("reporting/projekte.txt"));
    EXPECT_TRUE(
        boxes.texts()[0].startsWith("Datei " + expectedPath + " kann nicht geöffnet werden. "))
        << boxes.texts()[0].toStdString();
    EXPECT_EQ(form->windowTitle(), "Form1");
    // The steps before ran, the ones after did not.
    EXPECT_EQ(control<QComboBox>(form, "Domain_Xovi")->count(), 1);
    EXPECT_EQ(control<QLineEdit>(form, "URL")->text(), "URL");
    // The windows work all the same.
    EXPECT_NE(w.form2, nullptr);
    form->show();
    EXPECT_TRUE(form->isVisible());
}

TEST(StartUp, FolderNamedLikeAListFileCountsAsMissing) {
    DataFolder data;
    data.makeFolder("db");
    data.makeFolder("accounts/account.txt");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(w.form1->windowTitle(), "Kelvaro Fennwick v.0.4b");
    EXPECT_EQ(control<QLineEdit>(w.form1.get(), "URL")->text(), "URL");
}

TEST(StartUp, WindowPairsAreIndependent) {
    DataFolder first, second;
    second.write("accounts/account.txt", "http://b.example/\r\n");
    MessageCapture boxes;
    Windows a = createWindows(first.root());
    Windows b = createWindows(second.root());
    EXPECT_EQ(control<QLineEdit>(a.form1.get(), "URL")->text(), "URL");
    EXPECT_EQ(control<QLineEdit>(b.form1.get(), "URL")->text(), "http://b.example/");
    EXPECT_NE(&a.form1->workspace(), &b.form1->workspace());
    EXPECT_NE(&a.form1->workspace().IdHTTP1, &b.form1->workspace().IdHTTP1);
    EXPECT_EQ(a.form1->crawlerWindow(), a.form2.get());
    EXPECT_EQ(b.form1->crawlerWindow(), b.form2.get());
    EXPECT_EQ(a.form2->parent(), nullptr);
    EXPECT_EQ(a.form1->parent(), nullptr);
    EXPECT_FALSE(a.form1->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(a.form2->testAttribute(Qt::WA_DeleteOnClose));
}

TEST(StartUp, SiteFileFillsTheSiteTableAndTheSelectionList) {
    DataFolder data;
    data.makeFolder("db");
    data.write("accounts/ids/sites.csv",
               "1,http://a.example/\r\n2,http://b.example/\r\n3,\"http://c.example/x,y\"\r\n");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    QObject *grid = control(w.form1.get(), "StringGrid1");
    EXPECT_EQ(gridInt(grid, "rowCount"), 3);
    auto *sites = control<QListWidget>(w.form1.get(), "ListBox1");
    ASSERT_EQ(sites->count(), 3);
    EXPECT_EQ(sites->item(0)->text(), "http://a.example/");
    EXPECT_EQ(sites->item(2)->text(), "http://c.example/x,y");
    EXPECT_EQ(w.form1->windowTitle(), "Kelvaro Fennwick v.0.4b");
}

TEST(StartUp, BrokenSiteFileIsReportedAndLeavesTheDesignedCaption) {
    DataFolder data;
    data.makeFolder("db");
    data.write("accounts/ids/sites.csv", "1,http://a.example/\r\nno second field\r\n");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_FALSE(boxes.texts()[0].isEmpty());
    EXPECT_EQ(w.form1->windowTitle(), "Form1");
}

TEST(StartUp, DataFolderComesFromTheCommandLineThenTheEnvironment) {
    DataFolder base;
    const QByteArray savedEnv = qgetenv("KELVARO_DATA_DIR");
    const bool hadEnv = qEnvironmentVariableIsSet("KELVARO_DATA_DIR");
    const QString savedCwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(base.root()));
    const QString root = QDir::fromNativeSeparators(QDir(base.root()).canonicalPath());

    qputenv("KELVARO_DATA_DIR", QFile::encodeName(root + "/from-env"));
    // --data-dir wins, and a relative folder is taken from the working folder and created.
    EXPECT_EQ(kf::chooseAppFolder({"kelvaro", "--data-dir", "given/deeper"}),
              root + "/given/deeper/");
    EXPECT_TRUE(QFileInfo(root + "/given/deeper").isDir());
    EXPECT_FALSE(QFileInfo::exists(root + "/from-env"));
    // Without it, the environment names the folder.
    EXPECT_EQ(kf::chooseAppFolder({"kelvaro"}), root + "/from-env/");
    EXPECT_TRUE(QFileInfo(root + "/from-env").isDir());
    // Without either, the folder of the program.
    qunsetenv("KELVARO_DATA_DIR");
    EXPECT_EQ(kf::chooseAppFolder({"kelvaro", "--data-dir"}),
              QDir::fromNativeSeparators(QCoreApplication::applicationDirPath()) + "/");

    QDir::setCurrent(savedCwd);
    if (hadEnv)
        qputenv("KELVARO_DATA_DIR", savedEnv);
}

TEST(StartUp, AnInstalledOrUnwritableProgramKeepsItsDataInTheUsersFolder) {
    DataFolder base;
    const QString root = base.root();
    base.makeFolder("portable");
    base.makeFolder("usr/bin");
    base.write("usr/share/applications/de.kelvaro.Fennwick.desktop", "[Desktop Entry]\n");
    const QString user = kf::userDataFolder() + "/";
    const QByteArray savedEnv = qgetenv("KELVARO_DATA_DIR");
    const bool hadEnv = qEnvironmentVariableIsSet("KELVARO_DATA_DIR");

    struct Case {
        const char *what;
        QString programFolder;
        QStringList arguments;
        QString environment;
        QString expected;
    } cases[] = {
        {"a build or portable copy keeps its own folder",
         root + "/portable",
         {},
         {},
         root + "/portable/"},
        {"an installed program, even for root who could write there",
         root + "/usr/bin",
         {},
         {},
         user},
        {"a program folder that cannot be written", root + "/gone", {}, {}, user},
        {"--data-dir comes first",
         root + "/usr/bin",
         {"--data-dir", root + "/given"},
         root + "/env",
         root + "/given/"},
        {"then KELVARO_DATA_DIR", root + "/usr/bin", {}, root + "/env", root + "/env/"},
    };
    for (const Case &c : cases) {
        if (c.environment.isEmpty())
            qunsetenv("KELVARO_DATA_DIR");
        else
            qputenv("KELVARO_DATA_DIR", QFile::encodeName(c.environment));
        EXPECT_EQ(kf::dataFolderFor(QStringList{"kelvaro"} + c.arguments, c.programFolder),
                  c.expected)
            << c.what;
    }
    // Choosing creates nothing; --help names the folder in use.
    EXPECT_FALSE(QFileInfo::exists(root + "/given"));
    EXPECT_TRUE(kf::app::helpText(root + "/given/").endsWith("Datenordner: " + root + "/given/\n"));

    // The window's and the batch program's folder is AppDataLocation of "kelvaro".
    const QString appName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("kelvaro");
    EXPECT_EQ(kf::userDataFolder(),
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QCoreApplication::setApplicationName(appName);

    if (hadEnv)
        qputenv("KELVARO_DATA_DIR", savedEnv);
    else
        qunsetenv("KELVARO_DATA_DIR");
}

TEST(StartUp, OverviewNamesTheDataFolderOnHoverAndKeepsItsText) {
    DataFolder data;
    Windows w = createWindows(data.root());
    EXPECT_EQ(control<QWidget>(w.form1.get(), "Optionen")->toolTip(),
              "Datenordner: " + QDir::toNativeSeparators(data.root() + "/"));
    QString text;
    QMetaObject::invokeMethod(control(w.form1.get(), "ueberblick"), "text",
                              Q_RETURN_ARG(QString, text));
    EXPECT_EQ(text, "ueberblick");
}
