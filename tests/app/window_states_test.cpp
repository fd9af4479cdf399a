// Hiding to the tray, showing again, the crawler window and ending the program.
#include "tests/support/gui_helpers.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>

using namespace testing_gui;

namespace {

class WindowStates : public ::testing::Test {
protected:
    void SetUp() override {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        tray = control<QSystemTrayIcon>(form, "TrayIcon1");
        ASSERT_NE(tray, nullptr);
    }
    bool awayFromScreen() const {
        return QSystemTrayIcon::isSystemTrayAvailable() ? form->isHidden() : form->isMinimized();
    }
    void trigger(const char *action) { control<QAction>(form, action)->trigger(); }

    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm1 *form = w.form1.get();
    QSystemTrayIcon *tray = nullptr;
};

} // namespace

TEST_F(WindowStates, MinimiseThenTrayClickThenOpenFromTrayMenu) {
    trigger("Minimieren1");
    EXPECT_TRUE(tray->isVisible());
    EXPECT_TRUE(awayFromScreen());

    // A left click on the icon brings the window back and leaves the icon.
    Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(tray->isVisible());

    // Other activations (context menu, double click) do not count as the click.
    trigger("Minimieren1");
    Q_EMIT tray->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(awayFromScreen());

    trigger("Programmffnen1");
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(tray->isVisible());
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST_F(WindowStates, CrawlerWindowIsShownAgainWithItsContentAndOnlyHidesOnClose) {
    QWidget *crawler = w.form2.get();
    trigger("SitemapCrawler1");
    EXPECT_TRUE(crawler->isVisible());
    EXPECT_FALSE(crawler->isModal());
    setMemoText(control(crawler, "Memo1"), "http://a.example/\r\n");
    control<QLineEdit>(crawler, "Edit1")->setText("http://typed.example/sitemap.xml");

    EXPECT_TRUE(crawler->close());
    EXPECT_TRUE(crawler->isHidden());
    EXPECT_TRUE(form->isVisible()); // closing the crawler leaves the program running

    trigger("SitemapCrawler1");
    EXPECT_EQ(w.form1->crawlerWindow(), crawler);
    EXPECT_TRUE(crawler->isVisible());
    EXPECT_EQ(memoText(control(crawler, "Memo1")), "http://a.example/\r\n");
    EXPECT_EQ(control<QLineEdit>(crawler, "Edit1")->text(), "http://typed.example/sitemap.xml");
    trigger("SitemapCrawler1");
    EXPECT_TRUE(crawler->isVisible());
}

TEST_F(WindowStates, BeendenClosesBothWindows) {
    trigger("SitemapCrawler1");
    trigger("Minimieren1");
    trigger("Beenden1");
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(w.form2->isVisible());
    EXPECT_FALSE(tray->isVisible());
    QCoreApplication::processEvents();
    // Closing only hides: the objects are still there.
    EXPECT_EQ(w.form1->objectName(), "Form1");
}

// The first time the side column shows its open panels whole; afterwards the window opens as it
// was closed. The place is kept in the data folder, beside (not in) the account file.
TEST(WindowGeometry, FirstWholeThenAsLastClosed) {
    DataFolder data;
    QRect closedAt;
    {
        Windows w = createWindows(data.root());
        TForm1 *form = w.form1.get();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        auto *column = control<QWidget>(form, "CategoryPanelGroup1");
        EXPECT_GE(column->height(), column->sizeHint().height());
        EXPECT_GE(form->centralWidget()->height(), 529);
        form->setGeometry(40, 60, 900, 580);
        closedAt = form->geometry();
        form->close();
    }
    EXPECT_TRUE(data.exists("accounts/fenster.ini"));
    EXPECT_FALSE(data.exists("accounts/account.txt"));
    Windows again = createWindows(data.root());
    again.form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(again.form1.get()));
    EXPECT_EQ(again.form1->geometry(), closedAt);
}
