// Long runs in the main window: the status bar's progress, "Abbrechen", Esc, the line left when
// a run ends, and no second run of a handler on top of a running one. The check run without a
// report kind fetches nothing.
#include "core/long_run.h"
#include "core/workspace.h"
#include "tests/support/gui_helpers.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace testing_gui;

namespace {

class LongRunWindow : public ::testing::Test {
protected:
    void SetUp() override {
        windows = createWindows(folder.root());
        form = windows.form1.get();
        QObject::connect(form, &QWidget::windowTitleChanged,
                         [this](const QString &title) { captions << title; });
        QObject *sites = control(form, "StringGrid1");
        auto *list = control<QListWidget>(form, "ListBox1");
        for (int k = 0; k < 3; ++k) {
            const QString url = QStringLiteral("http://site%1.test").arg(k);
            QMetaObject::invokeMethod(sites, "setCell", Q_ARG(int, 0), Q_ARG(int, k),
                                      Q_ARG(QString, QString::number(k + 1)));
            QMetaObject::invokeMethod(sites, "setCell", Q_ARG(int, 1), Q_ARG(int, k),
                                      Q_ARG(QString, url));
            list->addItem(url);
        }
    }
    void TearDown() override { windows = {}; }

    void select(int n) {
        auto *list = control<QListWidget>(form, "ListBox1");
        for (int k = 0; k < n; ++k)
            list->item(k)->setSelected(true);
    }
    // Clicks "Check" and returns after the run, in milliseconds.
    qint64 check() {
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(control<QPushButton>(form, "Button1"), Qt::LeftButton);
        return clock.elapsed();
    }
    QStatusBar *statusBar() { return control<QStatusBar>(form, "StatusBar1"); }
    // The foot is always there; its progress only while a run goes.
    bool progressShown() { return !control<QWidget>(form, "ProgressBar1")->isHidden(); }
    QString title() const { return form->workspace().WindowTitle; }

    DataFolder folder;
    MessageCapture messages;
    Windows windows;
    TForm1 *form = nullptr;
    QStringList captions;
};

TEST_F(LongRunWindow, AbbrechenStopsTheRunBeforeItsNextSite) {
    select(3);
    EXPECT_FALSE(statusBar()->isHidden());
    EXPECT_FALSE(progressShown());
    bool shown = false;
    int done = -1, total = -1;
    QTimer::singleShot(300, form, [&] {
        shown = progressShown();
        auto *progress = control<QProgressBar>(form, "ProgressBar1");
        done = progress->value();
        total = progress->maximum();
        check(); // a second click during the run's pause is refused quietly
        auto *abbrechen = control<QPushButton>(form, "Abbrechen");
        EXPECT_EQ(abbrechen->text(), "Abbrechen");
        QTest::mouseClick(abbrechen, Qt::LeftButton);
    });
    const qint64 ms = check();

    EXPECT_TRUE(shown);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(total, 3);
    EXPECT_LT(ms, 900);                       // the pause ends at the click
    EXPECT_EQ(form->workspace().SiteId, "1"); // the first site was done, no other
    EXPECT_EQ(captions, QStringList({title() + " Analyse läuft ... ",
                                     title() + " Analyse fertig gestellt ...",
                                     title() + " Analyse fertig gestellt ... abgebrochen"}));
    EXPECT_FALSE(progressShown());
    EXPECT_EQ(statusBar()->currentMessage(), "Check: 3 Seiten, abgebrochen nach 1");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(LongRunWindow, EscCancelsAndAnUncancelledRunEndsAsBefore) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    select(2);
    QTimer::singleShot(200, form, [&] { QTest::keyClick(form, Qt::Key_Escape); });
    check();
    EXPECT_EQ(form->workspace().SiteId, "1");
    EXPECT_TRUE(form->windowTitle().endsWith(" abgebrochen"));

    // Esc outside a run is left to the window's controls; the next run starts afresh.
    QTest::keyClick(form, Qt::Key_Escape);
    captions.clear();
    control<QListWidget>(form, "ListBox1")->clearSelection();
    select(1);
    check();
    EXPECT_EQ(captions, QStringList({title() + " Analyse läuft ... ",
                                     title() + " Analyse fertig gestellt ..."}));
    EXPECT_FALSE(progressShown());
    control<QRadioButton>(form, "overview_all")->setChecked(true);
    check();
    EXPECT_EQ(statusBar()->currentMessage(), "Überblick: 1 Seite");
}

// A run started inside another one (the check run's step, a list after the SEO data) lies on
// top: the bar shows it and the run below comes back when it ends. "Abbrechen" stops both, as
// both belong to what the operator started; the caption is marked once.
TEST_F(LongRunWindow, ARunInsideAnotherComesFirstAndAbbrechenStopsBoth) {
    kf::Workspace &ws = form->workspace();
    auto *progress = control<QProgressBar>(form, "ProgressBar1");
    {
        kf::LongRun outer(ws, "Button1Click", 5);
        outer.step(2);
        {
            kf::LongRun inner(ws, "Button6Click", 10);
            ASSERT_TRUE(inner.started());
            EXPECT_FALSE(kf::LongRun(ws, "Button1Click").started());
            inner.step(7);
            inner.pause(1); // a held-back value shows at the next pause
            EXPECT_EQ(progress->value(), 7);
            EXPECT_EQ(progress->maximum(), 10);
            QTest::mouseClick(control<QPushButton>(form, "Abbrechen"), Qt::LeftButton);
            EXPECT_TRUE(inner.cancelled());
            ws.setCaption(title() + " innen");
        }
        EXPECT_EQ(progress->value(), 2);
        EXPECT_EQ(progress->maximum(), 5);
        EXPECT_TRUE(progressShown());
        EXPECT_TRUE(outer.cancelled());
    }
    EXPECT_EQ(form->windowTitle(), title() + " innen abgebrochen");
    // Without a line of its own, the run leaves what its caption says.
    EXPECT_EQ(statusBar()->currentMessage(), "innen abgebrochen");
    ASSERT_TRUE(ws.runs.lastEnd());
    EXPECT_EQ(ws.runs.lastEnd()->name, "Button1Click");
    EXPECT_TRUE(ws.runs.lastEnd()->cancelled);

    // A line left during a run wins; outside runs it shows at once.
    {
        kf::LongRun run(ws, "Button5Click", 1);
        ws.runs.setEndLine("Analytics-Server: Zugriff verweigert");
        EXPECT_NE(statusBar()->currentMessage(), "Analytics-Server: Zugriff verweigert");
    }
    EXPECT_EQ(statusBar()->currentMessage(), "Analytics-Server: Zugriff verweigert");
    ws.runs.setEndLine("Gegenprobe: 2 Seiten, 1 mit Link");
    EXPECT_EQ(statusBar()->currentMessage(), "Gegenprobe: 2 Seiten, 1 mit Link");
}

} // namespace
