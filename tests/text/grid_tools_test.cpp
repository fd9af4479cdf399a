#include "fixed_measure.h"
#include "tests/support/file_bytes.h"
#include "text/error.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTimer>

using kf::StringGrid;

namespace {

using testing_files::readBytes;
using testing_files::writeBytes;

} // namespace

TEST(FitColumns, WidensOnlyAboveTheThreshold) {
    StringGrid grid(3, 2);
    grid.setMeasure(fixedMeasure(1));
    grid.setCell(0, 0, QString(40, u'a'));
    grid.setCell(1, 1, QString(41, u'b'));
    grid.setColWidth(2, 99);
    kf::FitColumns(grid, 40);
    EXPECT_EQ(grid.colWidth(0), StringGrid::kDefaultColWidth); // 40 is not above 40
    EXPECT_EQ(grid.colWidth(1), 47);                           // 41 + 1 + 5
    EXPECT_EQ(grid.colWidth(2), 99);                           // empty column keeps its width

    // A later fit may also make a column narrower.
    grid.setCell(1, 1, QString(50, u'b'));
    kf::FitColumns(grid, 40);
    EXPECT_EQ(grid.colWidth(1), 56);
    grid.setCell(1, 1, QString(45, u'b'));
    kf::FitColumns(grid, 40);
    EXPECT_EQ(grid.colWidth(1), 51);
    kf::FitColumns(grid, 60); // below the threshold now: unchanged
    EXPECT_EQ(grid.colWidth(1), 51);
}

TEST(FitColumns, HandlesMoreRowsThanSixteenBitsCount) {
    StringGrid grid(1, 70000);
    grid.setMeasure(fixedMeasure(1));
    grid.setCell(0, 69999, QString(100, u'w')); // beyond row 65535
    kf::FitColumns(grid, 40);
    EXPECT_EQ(grid.colWidth(0), 106);
}

TEST(GridCsv, QuotingRules) {
    StringGrid grid(6, 1);
    grid.setCell(0, 0, QStringLiteral("a,b"));
    grid.setCell(1, 0, QStringLiteral("two words"));
    grid.setCell(2, 0, QStringLiteral("say \"hi\""));
    grid.setCell(3, 0, QStringLiteral("plain"));
    grid.setCell(4, 0, QString());
    grid.setCell(5, 0, QStringLiteral("ÄÖü€\u0141")); // letters above U+007F never cause quoting
    EXPECT_EQ(kf::gridCsvLine(grid, 0),
              QStringLiteral("\"a,b\",\"two words\",\"say \"\"hi\"\"\",plain,,ÄÖü€\u0141"));

    StringGrid controls(3, 1);
    controls.setCell(0, 0, QStringLiteral("tab\there"));
    controls.setCell(1, 0, QString(QChar(0x01)));
    controls.setCell(2, 0, QStringLiteral("cr\rlf\n"));
    EXPECT_EQ(kf::gridCsvLine(controls, 0), QStringLiteral("\"tab\there\",\"\x01\",\"cr\rlf\n\""));
    controls.setCell(0, 0, QStringLiteral("a;b'c")); // other punctuation is plain
    EXPECT_TRUE(kf::gridCsvLine(controls, 0).startsWith(QStringLiteral("a;b'c,")));
}

TEST(GridCsv, EmptyRows) {
    StringGrid two(2, 1);
    EXPECT_EQ(kf::gridCsvLine(two, 0), QStringLiteral(","));
    StringGrid one(1, 2);
    one.setCell(0, 1, QStringLiteral("x"));
    EXPECT_EQ(kf::gridCsvLine(one, 0), QStringLiteral("\"\""));
    EXPECT_EQ(kf::gridCsvLine(one, 1), QStringLiteral("x"));
}

TEST(GridCsv, SaveWritesEveryRowWithCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sites.csv"));
    StringGrid grid(2, 3);
    grid.setCell(0, 0, QStringLiteral("id"));
    grid.setCell(1, 0, QStringLiteral("name"));
    grid.setCell(0, 1, QStringLiteral("1"));
    grid.setCell(1, 1, QStringLiteral("Bäcker Müller"));
    grid.setCell(0, 5, QStringLiteral("hidden")); // beyond the row count: not written
    kf::SaveGridCsv(grid, path);
    EXPECT_EQ(readBytes(path), QByteArray("id,name\r\n1,\"B\xE4"
                                          "cker M\xFCller\"\r\n,\r\n"));

    // A character outside Windows-1252 makes the file UTF-8 with a mark.
    grid.setCell(1, 2, QStringLiteral("\u0141"));
    kf::SaveGridCsv(grid, path);
    EXPECT_TRUE(readBytes(path).startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(readBytes(path).endsWith(",\xC5\x81\r\n"));

    try {
        kf::SaveGridCsv(grid, dir.filePath(QStringLiteral("missing/x.csv")));
        FAIL() << "a save into a missing folder succeeded";
    } catch (const kf::Error &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Datei \"")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("\" kann nicht erstellt werden. ")));
    }
}

TEST(SiteFile, SplittingAtCommasOnly) {
    using L = QStringList;
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("12,site-a")), L({"12", "site-a"}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("12, site a")), L({"12", " site a"}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("a\tb,c")), L({"a\tb", "c"}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("12,")), L({"12", ""}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral(",")), L({"", ""}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral(",,")), L({"", "", ""}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("")), L());
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("lonely")), L({"lonely"}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("\"a,b\",\"say \"\"hi\"\"\"")),
              L({"a,b", "say \"hi\""}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("\"\"")), L({""}));
    EXPECT_EQ(kf::splitSiteLine(QStringLiteral("\"open,end")), L({"open,end"}));
}

TEST(SiteFile, CsvLinesReadBackAsWritten) {
    StringGrid grid(2, 1);
    const QStringList samples = {"", "x", "a,b", " lead", "q\"q", "\"", "tab\t", "ü"};
    for (const QString &a : samples) {
        for (const QString &b : samples) {
            grid.setCell(0, 0, a);
            grid.setCell(1, 0, b);
            EXPECT_EQ(kf::splitSiteLine(kf::gridCsvLine(grid, 0)), QStringList({a, b}))
                << kf::gridCsvLine(grid, 0).toStdString();
        }
    }
}

TEST(SiteFile, LoadFillsTwoColumnsAndFits) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sites.csv"));
    writeBytes(path, "1," + QByteArray(41, 'a') + "\r\n12, site-a,ignored\n3,\r\n");
    StringGrid grid(5, 5);
    grid.setMeasure(fixedMeasure(1));
    kf::LoadSiteFile(grid, path);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.colCount(), 2);
    EXPECT_EQ(grid.cell(1, 0), QString(41, u'a'));
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("12"));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral(" site-a"));
    EXPECT_EQ(grid.cell(1, 2), QString());
    EXPECT_EQ(grid.colWidth(0), StringGrid::kDefaultColWidth);
    EXPECT_EQ(grid.colWidth(1), 47);

    // An empty file leaves the minimum of one row.
    writeBytes(path, "");
    kf::LoadSiteFile(grid, path);
    EXPECT_EQ(grid.rowCount(), 1);

    // No file: nothing changes.
    grid.setRowCount(4);
    kf::LoadSiteFile(grid, dir.filePath(QStringLiteral("none.csv")));
    EXPECT_EQ(grid.rowCount(), 4);
}

TEST(SiteFile, ShortLineStopsTheLoading) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sites.csv"));
    struct Case {
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        {"1,aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n\r\n3,c\r\n",
         QStringLiteral("Listenindex überschreitet das Maximum (0)")},
        {"1,aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\nonefield\r\n3,c\r\n",
         QStringLiteral("Listenindex überschreitet das Maximum (1)")},
    };
    for (const Case &c : cases) {
        writeBytes(path, c.bytes);
        StringGrid grid(2, 1);
        grid.setMeasure(fixedMeasure(1));
        try {
            kf::LoadSiteFile(grid, path);
            FAIL() << "a short line was accepted";
        } catch (const kf::Error &e) {
            EXPECT_EQ(e.message(), c.message);
        }
        EXPECT_EQ(grid.rowCount(), 3);
        EXPECT_EQ(grid.cell(0, 0), QStringLiteral("1"));           // the rows before stay
        EXPECT_EQ(grid.cell(1, 2), QString());                     // the rows after are not read
        EXPECT_EQ(grid.colWidth(1), StringGrid::kDefaultColWidth); // and nothing is fitted
    }
}

TEST(GridHtml, TableFormWithEscaping) {
    StringGrid grid(2, 2);
    grid.setCell(0, 0, QStringLiteral("a"));
    grid.setCell(1, 0, QStringLiteral("<script>\"x\" & y</script>"));
    grid.setCell(0, 1, QStringLiteral("c"));
    kf::Memo memo;
    memo.setText(QStringLiteral("old\r\nstuff\r\n"));
    kf::ExportGridHtml(grid, memo);
    const QString td = QStringLiteral("    <td align=\"left\" valign=\"top\">");
    const QStringList expected = {
        "  <table>",   "  <tr>",
        td + "a</td>", td + "&lt;script&gt;&quot;x&quot; &amp; y&lt;/script&gt;</td>",
        "  </tr>",     "  <tr>",
        td + "c</td>", td + " </td>",
        "  </tr>",     "  </table>",
    };
    EXPECT_EQ(memo.lineCount(), 10);
    EXPECT_EQ(memo.lines(), expected);
    EXPECT_TRUE(memo.text().endsWith(QStringLiteral("</table>\r\n")));
}

TEST(GridHtml, FontStylesMarkEveryCell) {
    StringGrid grid(1, 1);
    grid.setCell(0, 0, QStringLiteral("v"));
    QFont font = grid.font();
    font.setBold(true);
    font.setUnderline(true);
    grid.setFont(font);
    kf::Memo memo;
    kf::ExportGridHtml(grid, memo);
    EXPECT_EQ(memo.line(2),
              QStringLiteral("    <td align=\"left\" valign=\"top\"><b><u>v</b></u></td>"));
    font.setItalic(true);
    grid.setFont(font);
    kf::ExportGridHtml(grid, memo);
    EXPECT_EQ(memo.line(2),
              QStringLiteral("    <td align=\"left\" valign=\"top\"><b><i><u>v</b></i></u></td>"));
}

TEST(RemoveDuplicates, FirstOccurrenceStays) {
    QStringList items = {"a", "b", "a", "A", "b"};
    kf::RemoveDuplicates(items);
    EXPECT_EQ(items, QStringList({"a", "b", "A"}));

    QStringList blanks = {"", "x", "", " x", "x ", "x", ""};
    kf::RemoveDuplicates(blanks);
    EXPECT_EQ(blanks, QStringList({"", "x", " x", "x "}));

    QStringList single = {"z"};
    kf::RemoveDuplicates(single);
    EXPECT_EQ(single, QStringList({"z"}));
    QStringList none;
    kf::RemoveDuplicates(none);
    EXPECT_TRUE(none.isEmpty());
}

TEST(Pause, ReturnsAtTheDeadlineAndRunsEventsMeanwhile) {
    bool handled = false;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(50, [&handled] { handled = true; });
    kf::Pause(300);
    const qint64 elapsed = clock.elapsed();
    EXPECT_TRUE(handled);
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 3000);

    // Without any event the pause still ends.
    clock.restart();
    kf::Pause(100);
    EXPECT_GE(clock.elapsed(), 95);

    // A posted call that is already queued is run before the pause returns.
    bool queued = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&queued] { queued = true; }, Qt::QueuedConnection);
    kf::Pause(20);
    EXPECT_TRUE(queued);

    clock.restart();
    kf::Pause(0);
    kf::Pause(-5);
    EXPECT_LT(clock.elapsed(), 50);
}

TEST(Pause, NestedPausesEachReturn) {
    // A handler run inside a pause may pause itself; both return.
    QElapsedTimer clock;
    clock.start();
    bool innerDone = false;
    QTimer::singleShot(20, [&innerDone] {
        kf::Pause(100);
        innerDone = true;
    });
    kf::Pause(60);
    // The handler runs to its end before the paused run goes on.
    EXPECT_TRUE(innerDone);
    EXPECT_GE(clock.elapsed(), 110);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(GridTools, ColumnTexts) {
    StringGrid grid(2, 3);
    grid.setCell(1, 0, QStringLiteral("a"));
    grid.setCell(1, 2, QStringLiteral("c"));
    grid.setCell(1, 3, QStringLiteral("hidden"));
    EXPECT_EQ(kf::columnTexts(grid, 1), QStringList({"a", "", "c"}));
}

TEST(FitColumns, MeasuresWithTheGridFont) {
    // Short texts are remembered by the measure; each must still get its own width.
    StringGrid grid(1, 1);
    QFontMetrics metrics(grid.font());
    const QStringList texts = {"WWWWWWWWWWWWWWWWWWWW", "iiiiiiiiiiiiiiiiiiii",
                               "WWWWWWWWWWWWWWWWWWWW",
                               "http://www.example.org/a/long/address/of/a/linking/page.html"};
    for (const QString &text : texts) {
        grid.setCell(0, 0, text);
        kf::FitColumns(grid, 0);
        EXPECT_EQ(grid.colWidth(0), metrics.horizontalAdvance(text) + 6) << text.toStdString();
    }
}

TEST(SiteFile, ReadsMarkedUtf8) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sites.csv"));
    writeBytes(path, "\xEF\xBB\xBF"
                     "7,\"B\xC3\xA4"
                     "cker, M\xC3\xBCller\"\r\n");
    StringGrid grid(2, 1);
    kf::LoadSiteFile(grid, path);
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("7"));
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("Bäcker, Müller"));
}
