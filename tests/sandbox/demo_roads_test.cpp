// The demo through the real windows: every road that its stand-ins serve gives a filled grid
// or memo, and the files it writes.
#include "app/demo_mode.h"
#include "sandbox/demo_backlinks.h"
#include "sandbox/demo_data.h"
#include "sandbox/xovi_trends.h"
#include "tests/support/gui_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
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
        // The slow linking page keeps the counter-check waiting a little less than in the demo.
        demo = kf::demo::DemoMode::start({QStringLiteral("kelvaro"), QStringLiteral("--demo"),
                                          QStringLiteral("--data-dir"), folder.root()},
                                         &refusal, 1500);
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
    int rows(const char *grid) { return gridInt(control(form, grid), "rowCount"); }
    int cols(const char *grid) { return gridInt(control(form, grid), "colCount"); }
    QStringList column(const char *grid, int col) {
        QStringList out;
        for (int row = 0; row < rows(grid); ++row)
            out << cell(grid, col, row);
        return out;
    }
    void click(QObject *window, const char *button) {
        QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
    }
    // The report files a road wrote into one folder, by name.
    QStringList reports(const QString &relative) {
        return QDir(folder.path(relative)).entryList(QDir::Files, QDir::Name);
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
    // The filled fields show the start of their texts, which are wider than some fields.
    EXPECT_EQ(control<QComboBox>(form, "Domain_Xovi")->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(control<QLineEdit>(windows.form2.get(), "Edit1")->cursorPosition(), 0);
    // The keyword lists and the trend analysis ask for the selected domain.
    const auto selected = control<QListWidget>(form, "ListBox2")->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(), QString::fromStdString(sandbox::demo::kMainDomain));
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
    // Today's server has no PageRank and no Alexa rank any more.
    EXPECT_EQ(cell("StringGrid3", 1, 1), kMainUrl);
    EXPECT_EQ(cell("StringGrid3", 2, 1), QString());
    EXPECT_TRUE(cell("StringGrid3", 3, 1).endsWith(QStringLiteral(" pages")));
    EXPECT_TRUE(cell("StringGrid3", 4, 1).endsWith(QStringLiteral(" pages")));
    EXPECT_EQ(cell("StringGrid3", 5, 1), QString());

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

    // The site's address alone: its robots.txt names an index, whose two child sitemaps (one
    // of them compressed) list the same pages.
    auto *address = control<QLineEdit>(crawler, "Edit1");
    address->setText(address->text().section(u'/', 0, 2) + u'/');
    control<QCheckBox>(crawler, "CheckBox1")->setChecked(true);
    QTest::mouseClick(control<QPushButton>(crawler, "Button1"), Qt::LeftButton);
    ASSERT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(memoLines(control(crawler, "Memo1")), links);
    QTest::mouseClick(control<QPushButton>(crawler, "Button2"), Qt::LeftButton);
    EXPECT_EQ(memoLines(control(form, "ueberblick")), links);

    // "Linkliste <> Xovi-Ranking": the ranking pages in the sitemap are marked, the others not.
    control<QAction>(form, "LinklisteXoviRanking1")->trigger();
    ASSERT_EQ(cols("StringGrid3"), 5);
    EXPECT_EQ(cell("StringGrid3", 1, 0), QStringLiteral("Prüfspalte"));
    int marked = 0, missing = 0;
    for (int row = 1; row < rows("StringGrid3"); ++row) {
        const QString page = cell("StringGrid3", 1, row);
        const QString check = cell("StringGrid3", 4, row);
        EXPECT_EQ(check, links.contains(page) ? page : QStringLiteral("N/A"));
        check == page ? ++marked : ++missing;
    }
    EXPECT_GE(marked, 10);
    EXPECT_GE(missing, 1); // the contact page ranks but is not in the sitemap
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(DemoRoads, CreditsAndTheThreeKeywordListsOfTheSelectedDomain) {
    control<QAction>(form, "Creditsabfragen1")->trigger();
    EXPECT_EQ(messages.texts(), QStringList({"Kelvaro Fennwick v.0.4b Creditverbrauch: 1750 "
                                             "verbleibende Credits: 48250"}));
    messages.clear();

    const std::pair<const char *, const char *> lists[] = {
        {"xovi_kw", ".csv"}, {"xovi_kw_new", "_new.csv"}, {"xovi_kw_lost", "_lost.csv"}};
    for (const auto &[radio, suffix] : lists) {
        control<QRadioButton>(form, radio)->setChecked(true);
        click(form, "Button3");
        EXPECT_GE(rows("StringGrid3"), 3) << radio;
        const QStringList csv = reports("reporting/xovi/key").filter(QString::fromLatin1(suffix));
        ASSERT_FALSE(csv.isEmpty()) << radio;
        // The saved list holds every row of the grid.
        EXPECT_EQ(folder.read("reporting/xovi/key/" + csv.last()).count("\r\n"),
                  rows("StringGrid3"))
            << radio;
    }
    EXPECT_EQ(reports("reporting/xovi/key").size(), 6);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();

    // All keywords: the nursery ranks with its own pages, for every watched keyword.
    control<QRadioButton>(form, "xovi_kw")->setChecked(true);
    click(form, "Button3");
    const QStringList pages = column("StringGrid3", 1), keywords = column("StringGrid3", 2);
    for (int row = 1; row < pages.size(); ++row)
        EXPECT_TRUE(pages[row].startsWith(kMainUrl + u'/')) << pages[row].toStdString();
    for (const std::string &watched : sandbox::demo::watchedKeywords())
        EXPECT_TRUE(keywords.contains(QString::fromStdString(watched))) << watched;
}

TEST_F(DemoRoads, SeoDataCheckTabulatesEveryDomainOfTheProject) {
    control<QRadioButton>(form, "PiWikAPI")->setChecked(true);
    click(form, "Button3");
    QStringList domains;
    for (const std::string &domain : sandbox::demo::projectDomains())
        domains << QString::fromStdString(domain);
    EXPECT_EQ(column("StringGrid3", 1), QStringList({"Domain"}) + domains);
    EXPECT_EQ(cell("StringGrid3", 3, 0), QStringLiteral("Index-Google"));
    for (int row = 1; row <= domains.size(); ++row)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[\\d,]+ pages$"))
                        .match(cell("StringGrid3", 3, row))
                        .hasMatch());
}

TEST_F(DemoRoads, TrendAnalysisFollowsTheWatchedKeywordsThroughTheLastWholeYear) {
    auto *keywords = control<QListWidget>(form, "kw_analyze");
    ASSERT_EQ(keywords->count(), int(sandbox::demo::watchedKeywords().size()));
    EXPECT_EQ(keywords->selectedItems().size(), keywords->count());
    EXPECT_EQ(control<QListWidget>(form, "ListBox3")->count(), 52);
    // Two of them keep the test short: one near the top, one that often drops out.
    keywords->clearSelection();
    keywords->item(0)->setSelected(true); // "gärtnerei"
    keywords->item(3)->setSelected(true); // "schattenstauden"
    click(form, "Button5");

    EXPECT_EQ(cols("StringGrid5"), 3 + 52);
    EXPECT_EQ(cell("StringGrid5", 3, 0).left(4), QString::number(QDate::currentDate().year() - 1));
    EXPECT_EQ(column("StringGrid5", 1).mid(3, 2),
              QStringList({QStringLiteral("gärtnerei"), QStringLiteral("schattenstauden")}));
    for (int row : {3, 4}) {
        QStringList ranked;
        int unranked = 0;
        for (int col = 3; col < 3 + 52; ++col) {
            const QString value = cell("StringGrid5", col, row);
            bool ok = false;
            const int rank = value.toInt(&ok);
            EXPECT_TRUE(value.isEmpty() || (ok && rank >= 1 && rank <= 100)) << value.toStdString();
            if (value.isEmpty())
                ++unranked;
            else
                ranked << value;
        }
        ranked.removeDuplicates();
        EXPECT_GE(ranked.size(), 4) << "row " << row; // the positions move from week to week
        if (row == 4) {
            // The service knows no rankings of days to come.
            const std::string tomorrow =
                QDate::currentDate().addDays(1).toString(Qt::ISODate).toStdString();
            EXPECT_EQ(sandbox::demoTrendPosition("schattenstauden", tomorrow), "");
            EXPECT_GE(unranked, 1); // and some weeks find it outside the top 100
        }
    }
}

TEST_F(DemoRoads, BacklinksFromBothSourcesAndACounterCheckWithEveryVerdict) {
    using sandbox::demo::Source;
    const std::string web = demo->services().web().base();
    const auto xoviLinks =
        sandbox::demo::backlinksOf(sandbox::demo::kMainDomain, Source::Xovi, web);
    ASSERT_GE(xoviLinks.size(), 10u);
    control<QRadioButton>(form, "RadioButton40")->setChecked(true);
    click(form, "Button99");
    ASSERT_EQ(rows("StringGrid5"), int(xoviLinks.size()) + 2);
    EXPECT_EQ(cell("StringGrid5", 1, 2).toStdString(), xoviLinks[0].linkingUrl);
    EXPECT_EQ(reports("reporting/backlink/xovi").size(), 3);

    // "Gegenprobe" with the pause the demo sets: each line judged by how its page answers.
    EXPECT_EQ(control<QComboBox>(form, "ComboBox19")->currentText(), QStringLiteral("100"));
    click(form, "Button6");
    using Kind = sandbox::LinkingPage::Kind;
    QStringList expected{QStringLiteral("BL ist N/A"), QStringLiteral("BL ist N/A")};
    QStringList found;
    for (const sandbox::Backlink &link : xoviLinks)
        for (const sandbox::demo::DemoLink &demoLink : sandbox::demo::demoLinks())
            if (link.linkingUrl == web + demoLink.page.path) {
                const Kind kind = demoLink.page.kind;
                const bool mentions = kind == Kind::Mentions || kind == Kind::NeverAnswers;
                const bool fetched = mentions || kind == Kind::Silent || kind == Kind::OtherCase;
                expected << (mentions ? "gefunden" : fetched ? "nicht gefunden" : "BL ist N/A");
                if (mentions)
                    found << QString::fromStdString(link.linkingUrl);
            }
    EXPECT_EQ(column("StringGrid5", cols("StringGrid5") - 1), expected);
    for (const char *verdict : {"gefunden", "nicht gefunden"})
        EXPECT_TRUE(expected.contains(QString::fromLatin1(verdict)));
    EXPECT_GE(expected.count(QStringLiteral("BL ist N/A")), 4); // headers, 404, redirect
    // The found file, and the details of the XOVI list beside it with a verdict of their own
    // per page.
    const QStringList foundFiles = reports("reporting/backlink/found");
    ASSERT_EQ(foundFiles.size(), 3);
    const QString stem =
        foundFiles.filter(QStringLiteral("_xovi_details.csv")).value(0).chopped(17);
    ASSERT_FALSE(stem.isEmpty());
    EXPECT_EQ(QString::fromLatin1(folder.read("reporting/backlink/found/" + stem + ".txt")),
              found.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    const QString details =
        QString::fromUtf8(folder.read("reporting/backlink/found/" + stem + "_xovi_details.csv"));
    for (const char *verdict : {"Link vorhanden", "Seite fehlt", "Weiterleitung"})
        EXPECT_TRUE(details.contains(QString::fromLatin1(verdict))) << verdict;

    // SEOkicks knows the same web, not quite the same pages.
    const auto kicksLinks =
        sandbox::demo::backlinksOf(sandbox::demo::kMainDomain, Source::Seokicks, web);
    control<QRadioButton>(form, "RadioButton18")->setChecked(true);
    click(form, "Button99");
    EXPECT_EQ(rows("StringGrid5"), int(kicksLinks.size()) + 2);
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Kelvaro Fennwick v.0.4b %1 Links gefunden").arg(kicksLinks.size()));
    const QStringList kicksFiles = reports("reporting/backlink/seokicks");
    ASSERT_EQ(kicksFiles.size(), 3);
    for (const QString &file : kicksFiles)
        EXPECT_GT(folder.read("reporting/backlink/seokicks/" + file).size(), 500)
            << file.toStdString();
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
}
