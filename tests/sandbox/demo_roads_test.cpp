// The demo through the real windows: every road that its stand-ins serve gives a filled grid
// or memo.
#include "app/demo_mode.h"
#include "sandbox/demo_data.h"
#include "tests/support/gui_helpers.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTest>

using namespace testing_gui;

namespace {

class DemoRoads : public ::testing::Test {
protected:
    void SetUp() override {
        QString refusal;
        demo = kf::demo::DemoMode::start({QStringLiteral("kelvaro"), QStringLiteral("--demo"),
                                          QStringLiteral("--data-dir"), folder.root()},
                                         &refusal);
        ASSERT_TRUE(demo) << refusal.toStdString();
        windows = createWindows(demo->appFolder());
        demo->markWindows(windows);
        form = windows.form1.get();
    }
    void TearDown() override { windows = {}; }

    QString cell(const char *grid, int col, int row) {
        QString out;
        QMetaObject::invokeMethod(control(form, grid), "cell", Q_RETURN_ARG(QString, out),
                                  Q_ARG(int, col), Q_ARG(int, row));
        return out;
    }
    QStringList memoLines(QObject *memo) {
        QStringList out;
        for (int i = 0; i < memoLineCount(memo); ++i)
            out << memoLine(memo, i);
        return out;
    }
    // A check run on the first site with one report kind and period.
    void check(const char *kind, const QString &period) {
        control<QComboBox>(form, "ComboBox2")->setCurrentText(period);
        control<QRadioButton>(form, kind)->setChecked(true);
        QTest::mouseClick(control<QPushButton>(form, "Button1"), Qt::LeftButton);
    }
    // Every referrer row reads as whole numbers, with no more visitors or bounces than visits
    // (a layout read at the wrong distances breaks this).
    void expectReferrerRows(const char *grid, int visits, int visitors, int bounces) {
        const int rows = gridInt(control(form, grid), "rowCount");
        EXPECT_GE(rows, 3) << grid;
        for (int row = 1; row < rows; ++row) {
            bool ok1 = false, ok2 = false, ok3 = false;
            const int v = cell(grid, visits, row).toInt(&ok1);
            const int u = cell(grid, visitors, row).toInt(&ok2);
            const int b = cell(grid, bounces, row).toInt(&ok3);
            EXPECT_TRUE(ok1 && ok2 && ok3 && v >= 1 && u <= v && b <= v)
                << grid << " row " << row << ": " << v << " " << u << " " << b;
        }
    }

    DataFolder folder;
    MessageCapture messages;
    std::unique_ptr<kf::demo::DemoMode> demo;
    Windows windows;
    TForm1 *form = nullptr;
};

const QString kMainUrl = QString::fromStdString(sandbox::demo::kMainUrl);

} // namespace

TEST_F(DemoRoads, TheWindowSaysItIsADemoAndOpensOnItsProject) {
    auto *tray = form->findChild<QSystemTrayIcon *>(QStringLiteral("TrayIcon1"));
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->toolTip(), QStringLiteral("Kelvaro Fennwick v.0.4b – Demo"));
    EXPECT_EQ(memoLine(control(form, "ueberblick"), 0), kf::demo::bannerText(demo->appFolder()));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kelvaro Fennwick v.0.4b"));
    // The project's domains and the watched keywords load when these texts change.
    EXPECT_EQ(control<QComboBox>(form, "Projekte")->currentText(), QStringLiteral("Demo"));
    EXPECT_EQ(control<QComboBox>(form, "Domain_Xovi")->currentText(),
              QString::fromStdString(sandbox::demo::kMainDomain));
    EXPECT_EQ(control<QLineEdit>(form, "Edit44")->text(),
              QString::fromStdString(sandbox::demo::kMainDomain));
}

TEST_F(DemoRoads, HoleIdsThenCheckFillsEveryReportKind) {
    control<QAction>(form, "HoleIds1")->trigger();
    auto *sites = control<QListWidget>(form, "ListBox1");
    ASSERT_EQ(sites->count(), 4);
    EXPECT_EQ(sites->item(0)->text(), kMainUrl);
    EXPECT_EQ(cell("StringGrid1", 0, 3), QStringLiteral("4"));
    EXPECT_EQ(folder.read("accounts/ids/sites.csv").count("\r\n"), 4);
    sites->item(0)->setSelected(true);
    QObject *overview = control(form, "ueberblick");

    check("overview_all", QStringLiteral("Tag"));
    const QString types = memoText(overview);
    EXPECT_TRUE(types.contains(QStringLiteral("Quelle: Suchmaschinen")) &&
                types.contains(QStringLiteral("Quelle: Direkt")))
        << types.toStdString();

    // Keywords: Nr., Keyword, Besucher, Besuche, Aufenthaltsdauer, Absprünge.
    check("Keywords_all", QStringLiteral("Tag"));
    expectReferrerRows("StringGrid2", 3, 2, 5);
    check("Keywords_all", QStringLiteral("Woche"));
    expectReferrerRows("StringGrid2", 3, 2, 5);
    // Websites: Nr., Seite, Besucher, Besuche, Aktionen, max Aktionen, Dauer, Absprünge.
    check("Webseiten_all", QStringLiteral("Monat"));
    expectReferrerRows("StringGrid4", 3, 2, 7);

    check("Check_SEO", QStringLiteral("Tag"));
    EXPECT_EQ(cell("StringGrid3", 1, 1), kMainUrl);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d$")).match(cell("StringGrid3", 2, 1)).hasMatch());
    EXPECT_TRUE(cell("StringGrid3", 3, 1).endsWith(QStringLiteral(" pages")));
    EXPECT_TRUE(cell("StringGrid3", 5, 1).contains(u','));

    check("LiveCheck", QStringLiteral("Tag"));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("\r\nBesuche: \\d+\r\nBesucher: \\d+\r\nAktionen: \\d+"))
            .match(memoText(overview))
            .hasMatch())
        << memoText(overview).toStdString();

    check("einstieg", QStringLiteral("Tag"));
    const QStringList entries = memoLines(overview);
    EXPECT_GE(entries.size(), 5);
    for (const QString &url : entries)
        EXPECT_TRUE(url.startsWith(kMainUrl + u'/')) << url.toStdString();
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(DemoRoads, CrawlerExtractsTheDemoSitemapOverlappingTheRankingPages) {
    QWidget *crawler = windows.form2.get();
    QTest::mouseClick(control<QPushButton>(crawler, "Button1"), Qt::LeftButton);
    ASSERT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
    const QStringList links = memoLines(control(crawler, "Memo1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("%1 Links gefunden").arg(links.size()));
    int ranking = 0;
    for (const std::string &page : sandbox::demo::rankingPages())
        ranking += links.contains(QString::fromStdString(page));
    EXPECT_GE(ranking, 10);
    EXPECT_LT(ranking, links.size()); // some pages of the sitemap rank for nothing
    QTest::mouseClick(control<QPushButton>(crawler, "Button2"), Qt::LeftButton);
    EXPECT_EQ(memoLines(control(form, "ueberblick")), links);
}
