// One run at a time: while a counter-check or a trend analysis runs, what would start another
// run or change what the running one uses is locked, and given back afterwards; the foot says
// why a click is refused and, after the run, how it ended.
#include "app/run_end_lines.h"
#include "core/long_run.h"
#include "sandbox/xovi_trends.h"
#include "tests/support/gui_helpers.h"
#include "tests/support/trusted_standin.h"
#include "trends/date_table.h"

#include <QAbstractItemView>
#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace testing_gui;

namespace {

// How a control shows that it is refused.
enum class Lock { Disabled, NoNewSelection, ReadOnly, Free };

struct Refused {
    const char *name;
    Lock lock;
};

// Every control of the main window that a run locks, and some that it must leave free.
const Refused kControls[] = {
    {"Speichern", Lock::Disabled},
    {"Button1", Lock::Disabled},
    {"Button3", Lock::Disabled},
    {"Button5", Lock::Disabled},
    {"Button6", Lock::Disabled},
    {"Button99", Lock::Disabled},
    {"HoleIds1", Lock::Disabled},
    {"Creditsabfragen1", Lock::Disabled},
    {"Keywordcheck1", Lock::Disabled},
    {"LinklisteXoviRanking1", Lock::Disabled},
    {"generiereWochentagausKWs1", Lock::Disabled},
    {"ImportausPiWik1", Lock::Disabled},
    {"DiagrammSpeichern1", Lock::Disabled},
    {"URL", Lock::Disabled},
    {"Token", Lock::Disabled},
    {"xovi_api_key", Lock::Disabled},
    {"seokicksapi", Lock::Disabled},
    {"overview_all", Lock::Disabled},
    {"einstieg", Lock::Disabled},
    {"ComboBox1", Lock::Disabled},
    {"ComboBox2", Lock::Disabled},
    {"Projekte", Lock::Disabled},
    {"Edit2", Lock::Disabled},
    {"sengine", Lock::Disabled},
    {"PiWikAPI", Lock::Disabled},
    {"xovi_kw", Lock::Disabled},
    {"Edit44", Lock::Disabled},
    {"maxerg", Lock::Disabled},
    {"RadioButton18", Lock::Disabled},
    {"RadioButton40", Lock::Disabled},
    {"MonthCalendar1", Lock::Disabled},
    {"Domain_Xovi", Lock::Disabled},
    {"kw_analyze_entry", Lock::Disabled},
    {"auswahl_jahr", Lock::Disabled},
    {"ListBox1", Lock::NoNewSelection},
    {"ListBox2", Lock::NoNewSelection},
    {"kw_analyze", Lock::NoNewSelection},
    {"ListBox3", Lock::NoNewSelection},
    {"speich", Lock::ReadOnly},
    {"ueberblick", Lock::ReadOnly},
    {"Abbrechen", Lock::Free},
    {"ComboBox19", Lock::Free}, // the pace of the counter-check, read anew for every page
    {"PageControl1", Lock::Free},
    {"PageControl3", Lock::Free},
    {"Chart1", Lock::Free},
};

bool isLocked(QObject *control, Lock lock) {
    if (auto *action = qobject_cast<QAction *>(control))
        return !action->isEnabled();
    if (lock == Lock::NoNewSelection)
        return static_cast<QAbstractItemView *>(control)->selectionMode() ==
               QAbstractItemView::NoSelection;
    if (lock == Lock::ReadOnly)
        return static_cast<QPlainTextEdit *>(control)->isReadOnly();
    return !static_cast<QWidget *>(control)->isEnabled();
}

// The main window with a counter-check list and a trend analysis ready: a year of dates, a
// domain and a keyword, the trend stand-in on loopback.
class RunLock : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override {
        sandbox::TrendData trends;
        trends.key = "operator-key";
        trends.otherwise = [](const std::string &, const std::string &) { return "7"; };
        xovi.service().handle(sandbox::xoviTrends(trends));
        qputenv("KELVARO_XOVI_ENDPOINT", (xovi.service().base() + "/api/").c_str());
        data.write("db/2026", (kf::trends::weekSundays(2026).join("\r\n") + "\r\n").toLatin1());
        windows = createWindows(data.root());
        form = windows.form1.get();
        control<QLineEdit>(form, "xovi_api_key")->setText("operator-key");
        control<QComboBox>(form, "auswahl_jahr")->setCurrentText("2026");
        list("ListBox2")->addItem("shop.example");
        list("ListBox2")->item(0)->setSelected(true);
        list("kw_analyze")->addItems({"seo tool", "backlinks"});
        list("kw_analyze")->selectAll();
        // The counter-check's list: its heading, an empty line and two pages nobody serves.
        QObject *grid = control(form, "StringGrid5");
        const QStringList lines{"Link-URL", "", "http://127.0.0.1:9/a", "http://127.0.0.1:9/b"};
        QMetaObject::invokeMethod(grid, "setRowCount", Q_ARG(int, int(lines.size())));
        for (int row = 0; row < lines.size(); ++row)
            QMetaObject::invokeMethod(grid, "setCell", Q_ARG(int, 1), Q_ARG(int, row),
                                      Q_ARG(QString, lines[row]));
        control<QComboBox>(form, "ComboBox19")->setCurrentText("100");
    }
    void TearDown() override {
        windows = {};
        qunsetenv("KELVARO_XOVI_ENDPOINT");
    }

    QListWidget *list(const char *name) { return control<QListWidget>(form, name); }
    QStatusBar *foot() { return control<QStatusBar>(form, "StatusBar1"); }
    // Clicks the run's button and calls `during` once, inside the run.
    void runWith(const std::function<void()> &during) {
        QTimer::singleShot(0, form, during);
        QTest::mouseClick(control<QPushButton>(form, GetParam()), Qt::LeftButton);
    }

    DataFolder data;
    MessageCapture boxes;
    TrustedHttpsService xovi;
    Windows windows;
    TForm1 *form = nullptr;
};

} // namespace

TEST_P(RunLock, LocksWhatWouldInterfereAndGivesItBack) {
    QStringList lockedDuringRun;
    runWith([&] {
        for (const Refused &c : kControls)
            if (isLocked(control(form, c.name), c.lock))
                lockedDuringRun << c.name;
        // Clicked all the same, a locked control does nothing but the foot says why.
        QTest::mouseClick(control<QPushButton>(form, "Button99"), Qt::LeftButton);
        QMetaObject::invokeMethod(form, "Button1Click");
        EXPECT_TRUE(foot()->currentMessage().endsWith(
            " läuft noch: bitte warten oder „Abbrechen“ drücken."))
            << foot()->currentMessage().toStdString();
    });
    for (const Refused &c : kControls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lockedDuringRun.contains(c.name), c.lock != Lock::Free);
        EXPECT_FALSE(isLocked(control(form, c.name), c.lock)); // given back
    }
    EXPECT_FALSE(control<QWidget>(form, "RadioButton17")->isEnabled()); // as designed
    EXPECT_EQ(list("kw_analyze")->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list("ListBox2")->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(CounterCheckAndTrend, RunLock, ::testing::Values("Button6", "Button5"));

TEST_F(RunLock, EachRunLeavesALineSayingHowItEnded) {
    QTest::mouseClick(control<QPushButton>(form, "Button6"), Qt::LeftButton);
    EXPECT_EQ(foot()->currentMessage(), "Gegenprobe: 2 Seiten, 0 mit Link");
    QTimer::singleShot(0, form, [&] { control<QPushButton>(form, "Abbrechen")->click(); });
    QTest::mouseClick(control<QPushButton>(form, "Button6"), Qt::LeftButton);
    EXPECT_EQ(foot()->currentMessage(), "Gegenprobe: 2 Seiten, 0 mit Link, abgebrochen");

    QTest::mouseClick(control<QPushButton>(form, "Button5"), Qt::LeftButton);
    EXPECT_EQ(foot()->currentMessage(), "Rankingverlauf: 2 Keywords, 52 Wochen");
    QTimer::singleShot(0, form, [&] { control<QPushButton>(form, "Abbrechen")->click(); });
    QTest::mouseClick(control<QPushButton>(form, "Button5"), Qt::LeftButton);
    EXPECT_EQ(foot()->currentMessage(),
              "Rankingverlauf: 2 Keywords, 52 Wochen, abgebrochen nach 0 von 104 Abfragen");

    // The counts of the counter-check come from its verdict column.
    QObject *grid = control(form, "StringGrid5");
    QMetaObject::invokeMethod(grid, "setColCount", Q_ARG(int, 6));
    QMetaObject::invokeMethod(grid, "setRowCount", Q_ARG(int, 20));
    for (int row = 2; row < 20; ++row) {
        QMetaObject::invokeMethod(grid, "setCell", Q_ARG(int, 1), Q_ARG(int, row),
                                  Q_ARG(QString, QStringLiteral("https://p%1.example/").arg(row)));
        const QString verdict = row >= 17 ? "" : row >= 15 ? "nicht gefunden" : "gefunden";
        QMetaObject::invokeMethod(grid, "setCell", Q_ARG(int, 5), Q_ARG(int, row),
                                  Q_ARG(QString, verdict));
    }
    kf::RunEnd cancelled{"Button6Click", 17, 20, true, {}};
    EXPECT_EQ(kf::foot::counterCheckLine(form->workspace().ui, cancelled),
              "Gegenprobe: 18 Seiten, 13 mit Link, abgebrochen nach 15");
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
}
