// The calendar-week date table: week Sundays, the generator and the year choice.
#include "tests/support/gui_helpers.h"
#include "trends/date_table.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace testing_gui;

TEST(WeekSundays, FirstAndLastOfYearsWithAwkwardStarts) {
    struct Case {
        int year;
        const char *first, *last;
    };
    const Case cases[] = {
        {2026, "2026-01-04", "2026-12-27"}, // a year of 53 weeks: the 53rd is left out
        {2016, "2016-01-10", "2017-01-01"}, // 1 January a Friday: week 1 starts on the 4th
        {2013, "2013-01-06", "2013-12-29"},
        {2015, "2015-01-04", "2015-12-27"}, // 1 January a Thursday: week 1 starts in 2014
        {2018, "2018-01-07", "2018-12-30"}, // 1 January a Monday
        {2021, "2021-01-10", "2022-01-02"}, // 1 January a Friday
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.year);
        const QStringList sundays = kf::trends::weekSundays(c.year);
        ASSERT_EQ(sundays.size(), 52);
        EXPECT_EQ(sundays.first(), c.first);
        EXPECT_EQ(sundays.last(), c.last);
        for (int w = 1; w < 52; ++w) {
            const QDate prev = QDate::fromString(sundays[w - 1], "yyyy-MM-dd");
            const QDate next = QDate::fromString(sundays[w], "yyyy-MM-dd");
            EXPECT_EQ(prev.daysTo(next), 7);
            EXPECT_EQ(next.dayOfWeek(), 7);
            int isoYear = 0;
            EXPECT_EQ(next.weekNumber(&isoYear), w + 1);
            EXPECT_EQ(isoYear, c.year);
        }
    }
}

TEST(DateTable, GeneratorWritesSixYearsUpToTheGivenDate) {
    DataFolder data;
    data.makeFolder("db");
    data.write("db/2019", "kept\r\n"); // outside the six-year window: left alone
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    kf::trends::generateDateTable(w.form1->workspace(), QDate(2026, 6, 15));

    EXPECT_EQ(data.read("db/zeit.txt"), "2021\r\n2022\r\n2023\r\n2024\r\n2025\r\n2026\r\n");
    const QByteArray y2026 = data.read("db/2026");
    EXPECT_TRUE(y2026.startsWith("2026-01-04\r\n2026-01-11\r\n"));
    EXPECT_TRUE(y2026.endsWith("2026-12-20\r\n2026-12-27\r\n"));
    EXPECT_EQ(y2026.size(), 52 * 12);
    EXPECT_TRUE(data.read("db/2021").endsWith("2022-01-02\r\n"));
    EXPECT_EQ(data.read("db/2019"), "kept\r\n");
    EXPECT_FALSE(data.exists("db/2020"));
    EXPECT_FALSE(data.exists("db/2027"));
    QObject *speich = control(w.form1.get(), "speich");
    EXPECT_EQ(memoLineCount(speich), 6);
    EXPECT_TRUE(memoScrollBars(speich));
    // The combo shows the new years only after the next start.
    EXPECT_EQ(control<QComboBox>(w.form1.get(), "auswahl_jahr")->count(), 0);
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(DateTable, GeneratorThatCannotWriteShowsTheErrorBox) {
    DataFolder data;
    data.makeFolder("db");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    const QString year = QString::number(QDate::currentDate().year());
    data.makeFolder("db/" + year); // a folder where the year file belongs
    control<QAction>(w.form1.get(), "generiereWochentagausKWs1")->trigger();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("kann nicht erstellt werden"))
        << boxes.texts()[0].toStdString();
    // The years before were written.
    EXPECT_TRUE(data.exists("db/" + QString::number(QDate::currentDate().year() - 1)));
    EXPECT_FALSE(data.exists("db/zeit.txt"));
}

TEST(DateTable, TypingOrChoosingAYearListsItsDates) {
    DataFolder data;
    data.write("db/zeit.txt", "2021\r\n2022\r\n");
    data.write("db/2021", "2021-01-10\r\n2021-01-17\r\n");
    data.write("db/2020", "2020-01-05\r\n2020-01-12\r\n2020-01-19\r\n");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    auto *years = control<QComboBox>(w.form1.get(), "auswahl_jahr");
    auto *dates = control<QListWidget>(w.form1.get(), "ListBox3");
    w.form1->show();

    // A year that is not among the items still loads when its file exists.
    years->lineEdit()->selectAll();
    QTest::keyClicks(years, "2020");
    EXPECT_EQ(years->currentText(), "2020");
    ASSERT_EQ(dates->count(), 3);
    EXPECT_EQ(dates->item(2)->text(), "2020-01-19");

    // A year without a file changes nothing.
    years->setEditText("2022");
    EXPECT_EQ(dates->count(), 3);

    years->setCurrentIndex(0);
    ASSERT_EQ(dates->count(), 2);
    EXPECT_EQ(dates->item(0)->text(), "2021-01-10");
    EXPECT_TRUE(boxes.texts().isEmpty());
}
