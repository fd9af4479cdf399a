// "Check!": backlinks from XOVI and SEOkicks into the result grid and the three report files.
#include "backlink_window.h"

#include <QElapsedTimer>
#include <QTimer>

using sandbox::Backlink;

namespace {
const std::vector<Backlink> kTwoLinks = {
    {"http://blog.example/a", "Example &amp; Co", "http://www.example.com/", true},
    {"http://forum.example/t/9", "hier", "http://www.example.com/shop", false},
};
} // namespace

class XoviFetch : public BacklinkWindow {
protected:
    void SetUp() override {
        BacklinkWindow::SetUp();
        xovi.service().handle(
            sandbox::xoviBacklinks({kKey, {{"http://www.example.com", kTwoLinks}}, {}}));
    }
};

TEST_F(XoviFetch, FillsGridAndWritesTheThreeReportsByteForByte) {
    fetchFrom("RadioButton40");
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();

    const auto targets = xovi.service().targets();
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0], std::string("/api/index.php?key=xovi-key-7&service=links&method="
                                      "getbacklinks&domain=http://www.example.com&limit=100"
                                      "&format=xml"));
    EXPECT_EQ(rows(), 4);
    EXPECT_EQ(cols(), 5); // the fetch leaves the column count alone
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(cell(0, 2), "2");
    EXPECT_EQ(cell(1, 3), "http://forum.example/t/9");
    EXPECT_EQ(cell(2, 2), "Example &amp;amp; Co"); // raw reply text, entities not decoded

    const QString folder = "reporting/backlink/xovi/" + stem;
    EXPECT_EQ(data.read(folder + ".csv"),
              "Nr.,Link-URL,Ankertext,,\r\n,,,,\r\n2,http://blog.example/a,\"Example &amp;amp; "
              "Co\",,\r\n3,http://forum.example/t/9,hier,,\r\n");
    EXPECT_EQ(data.read(folder + "_list.txt"),
              "Link-URL\r\n\r\nhttp://blog.example/a\r\nhttp://forum.example/t/9\r\n");
    const QByteArray html = data.read(folder + ".html");
    EXPECT_TRUE(html.startsWith("  <table>\r\n  <tr>\r\n    <td align=\"left\" valign=\"top\">Nr."
                                "</td>\r\n"));
    EXPECT_TRUE(html.contains("<td align=\"left\" valign=\"top\">Example &amp;amp;amp; Co</td>"));
    EXPECT_EQ(html.count("<tr>"), 4);
    EXPECT_TRUE(data.read("tmp_xovi_bkl.txt").contains("\r\n<linkingUrl>\r\n"));

    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b hole Backlink-Nr.:3");
    EXPECT_EQ(form->workspace().SavePath, data.path(folder + "_list.txt"));
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "ueberblick")), "");
}

TEST_F(XoviFetch, LimitRulesAndLimitThatIsNoNumber) {
    edit("maxerg")->setText("10000");
    fetchFrom("RadioButton40");
    edit("maxerg")->setText("10001");
    fetchFrom("RadioButton40");
    EXPECT_EQ(edit("maxerg")->text(), "1000");
    auto targets = xovi.service().targets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_NE(targets[0].find("&limit=10000&"), std::string::npos);
    EXPECT_NE(targets[1].find("&limit=1000&"), std::string::npos);

    edit("maxerg")->setText("abc");
    fetchFrom("RadioButton40");
    EXPECT_EQ(xovi.service().targets().size(), 2u); // stopped before any request
    EXPECT_EQ(boxes.texts(), QStringList{"'abc' ist kein gültiger Integerwert"});
}

TEST_F(XoviFetch, MarkerAmongTheLastLinesGivesEmptyCells) {
    xovi.service().prepend([](const sandbox::Request &) -> std::optional<sandbox::Reply> {
        return sandbox::Reply::xml("<data><backlink><linkingUrl>http://late.example/");
    });
    fetchFrom("RadioButton40");
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 2), "http://late.example/");
    EXPECT_EQ(cell(2, 2), "");
}

TEST_F(BacklinkWindow, XoviWalkKeepsTheWindowWorkingOnItsOwnCopyOfTheReply) {
    std::vector<Backlink> many;
    for (int i = 0; i < 5000; ++i)
        many.push_back({"http://verzeichnis.example/" + std::to_string(i), "a", "t", true});
    xovi.service().handle(sandbox::xoviBacklinks({kKey, {{"http://www.example.com", many}}, {}}));
    edit("maxerg")->setText("5000");
    // While the walk runs, another handler empties speich and "Check!" is pressed again.
    bool handled = false;
    QTimer::singleShot(0, form, [&] {
        handled = true;
        testing_gui::setMemoText(testing_gui::control(form, "speich"), "");
        QTest::mouseClick(testing_gui::control<QPushButton>(form, "Button99"), Qt::LeftButton);
    });
    fetchFrom("RadioButton40");
    EXPECT_TRUE(handled);
    EXPECT_EQ(xovi.service().targets().size(), 1u);
    EXPECT_EQ(rows(), 5002);
    EXPECT_EQ(cell(1, 5001), "http://verzeichnis.example/4999");
}

// "Abbrechen" during the walk: no further row, the three reports hold the rows so far.
TEST_F(BacklinkWindow, XoviWalkCancelledWritesTheRowsSoFar) {
    std::vector<Backlink> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({"http://verzeichnis.example/" + std::to_string(i), "a", "t", true});
    xovi.service().handle(sandbox::xoviBacklinks({kKey, {{"http://www.example.com", many}}, {}}));
    edit("maxerg")->setText("300");
    QObject::connect(form, &QWidget::windowTitleChanged, form, [&](const QString &title) {
        if (title.endsWith("Nr.:12"))
            QTest::mouseClick(testing_gui::control<QPushButton>(form, "Abbrechen"), Qt::LeftButton);
    });
    fetchFrom("RadioButton40");
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(rows(), 13);
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b hole Backlink-Nr.:12 abgebrochen");
    const QString folder = "reporting/backlink/xovi/" + stem;
    EXPECT_EQ(data.read(folder + ".csv").count("\r\n"), 13);
    EXPECT_EQ(data.read(folder + ".html").count("<tr>"), 13);
    EXPECT_TRUE(data.read(folder + "_list.txt").endsWith("verzeichnis.example/10\r\n"));
}

// "Abbrechen" while the list is on its way: the run ends there, with no box and no file.
TEST_F(BacklinkWindow, CancelWhileTheListIsFetchedEndsTheRunQuietly) {
    xovi.service().handle([](const sandbox::Request &) -> std::optional<sandbox::Reply> {
        sandbox::Reply reply = sandbox::Reply::xml("<r></r>");
        reply.delayMs = 3000;
        return reply;
    });
    QTimer::singleShot(300, form, [&] {
        QTest::mouseClick(testing_gui::control<QPushButton>(form, "Abbrechen"), Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    fetchFrom("RadioButton40");
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(form->windowTitle().endsWith(" abgebrochen"));
    EXPECT_FALSE(data.exists("tmp_xovi_bkl.txt"));
    EXPECT_FALSE(data.exists("reporting/backlink/xovi"));
}

TEST_F(XoviFetch, KeepsAWidenedGridAndWritesEveryColumn) {
    // A trend table left 55 columns and hidden cells behind.
    QMetaObject::invokeMethod(grid(), "setColCount", Q_ARG(int, 55));
    QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 54), Q_ARG(int, 3),
                              Q_ARG(QString, "17"));
    fetchFrom("RadioButton40");
    EXPECT_EQ(cols(), 55);
    EXPECT_EQ(cell(54, 3), "");
    const QList<QByteArray> lines =
        data.read("reporting/backlink/xovi/" + stem + ".csv").split('\n');
    ASSERT_EQ(lines.size(), 5); // four rows and the end after the last CR LF
    EXPECT_EQ(lines[1], QByteArray(54, ',') + '\r');
    EXPECT_EQ(data.read("reporting/backlink/xovi/" + stem + ".html").count("<td "), 4 * 55);
}

TEST_F(BacklinkWindow, SeokicksRemovesCdataAndCountsTheLinks) {
    seokicksService.handle(
        sandbox::seokicks({kAppid, {{"http://www.example.com", kTwoLinks}}, {}}));
    edit("maxerg")->setText("abc"); // sent as typed: SEOkicks does not check it
    fetchFrom("RadioButton18");
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(seokicksService.targets().at(0),
              "/SEOkicksService/V1/inlinkData?appid=kicks-9&query=http://www.example.com"
              "&details=2&results=abc&page=1");
    EXPECT_EQ(cell(2, 2), "Example &amp; Co");
    EXPECT_EQ(cell(3, 2), "1");
    EXPECT_EQ(cell(3, 3), "0");
    EXPECT_EQ(cell(4, 3), "http://www.example.com/shop");
    EXPECT_EQ(data.read("reporting/backlink/seokicks/" + stem + ".csv"),
              "Nr.,Link-URL,Ankertext,Follow,Ziel-URL\r\n,,,,\r\n2,http://blog.example/a,"
              "\"Example &amp; Co\",1,http://www.example.com/\r\n3,http://forum.example/t/9,"
              "hier,0,http://www.example.com/shop\r\n");
    EXPECT_TRUE(data.read("tmp_blk.txt").contains("<![CDATA[hier]]>"));
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b 2 Links gefunden");

    edit("seokicksapi")->setText("wrong");
    fetchFrom("RadioButton18");
    EXPECT_EQ(rows(), 2); // the error reply has no records; the files are still written
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b 0 Links gefunden");
}

TEST_F(BacklinkWindow, AFailedRequestEndsTheRunWithItsErrorBox) {
    xovi.service().stop();
    fetchFrom("RadioButton40");
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_FALSE(data.exists("reporting/backlink"));
}

TEST_F(BacklinkWindow, NoSourceDoesNothingAndAnIndentedXoviReplyFillsTheTable) {
    QTest::mouseClick(testing_gui::control<QPushButton>(form, "Button99"), Qt::LeftButton);
    EXPECT_TRUE(xovi.service().targets().empty());
    EXPECT_EQ(rows(), 5);

    // Indented with LF and carrying elements of its own: each gap is still one line.
    xovi.service().handle(replyAlways("<?xml version=\"1.0\"?>\n<response>\n"
                                      "  <apiInfo><credits>3</credits></apiInfo>\n"
                                      "  <backlink>\n"
                                      "    <linkingUrl>http://a.example/m\xc3\xbc</linkingUrl>\n"
                                      "    <anchorText>Tom &amp; \"Jerry\"</anchorText>\n"
                                      "    <extra>x</extra>\n"
                                      "  </backlink>\n</response>\n"));
    edit("Edit44")->setText("http://www.m\u00fcller.de/a b");
    fetchFrom("RadioButton40");
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(xovi.service().targets().at(0),
              "/api/index.php?key=xovi-key-7&service=links&method=getbacklinks&domain="
              "http://www.m%C3%BCller.de/a%20b&limit=100&format=xml");
    EXPECT_EQ(cell(1, 2), "http://a.example/m\u00fc");
    EXPECT_EQ(cell(2, 2), "Tom &amp; \"Jerry\"");

    const QString report =
        "reporting/backlink/xovi/httpwwwm\u00fcllerdea b_" + stem.section('_', 1);
    EXPECT_EQ(data.read(report + ".csv"), "Nr.,Link-URL,Ankertext,,\r\n,,,,\r\n2,http://a.example/"
                                          "m\xfc,\"Tom &amp; \"\"Jerry\"\"\",,\r\n");
    EXPECT_TRUE(data.read(report + ".html")
                    .contains("valign=\"top\">Tom &amp;amp; &quot;Jerry&quot;</td>\r\n"));
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "speich")),
              "Link-URL\r\n\r\nhttp://a.example/m\u00fc\r\n");
    EXPECT_EQ(shownPage("PageControl1"), "TabSheet4");
    EXPECT_EQ(shownPage("PageControl3"), "Tabelle");
}

TEST_F(BacklinkWindow, XoviReplyWithCrLfShiftsTheAnchorAndNoLinkKeepsTheCaption) {
    xovi.service().prepend([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("domain") != "none")
            return std::nullopt;
        return sandbox::Reply::xml("<response><error>unknown</error></response>");
    });
    const std::string longUrl = "http://l.example/" + std::string(5000, 'x');
    xovi.service().handle(replyAlways("<r>\r\n  <backlink>\r\n    <linkingUrl>" + longUrl +
                                      "</linkingUrl>\r\n    <anchorText>A</anchorText>\r\n"
                                      "  </backlink>\r\n</r>"));
    fetchFrom("RadioButton40");
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 2), QString::fromStdString(longUrl.substr(0, 4096))); // a line's limit
    EXPECT_EQ(cell(2, 2), "<anchorText>"); // the CR LF adds a line to the gap

    form->setWindowTitle("vorher");
    edit("Edit44")->setText("none");
    fetchFrom("RadioButton40");
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(form->windowTitle(), "vorher");
    EXPECT_EQ(data.read("reporting/backlink/xovi/none_" + stem.section('_', 1) + "_list.txt"),
              "Link-URL\r\n\r\n");
}

TEST_F(BacklinkWindow, ErrorStatusAndAReportThatCannotBeWritten) {
    xovi.service().prepend([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("limit") != "7")
            return std::nullopt;
        return sandbox::Reply::withStatus(500, "down");
    });
    xovi.service().handle(replyAlways("<r><linkingUrl>http://p.example/</linkingUrl></r>"));
    testing_gui::setMemoText(testing_gui::control(form, "speich"), "alt");
    edit("maxerg")->setText("7");
    fetchFrom("RadioButton40");
    EXPECT_EQ(boxes.texts(), QStringList{"HTTP/1.1 500 Internal Server Error"});
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "speich")), "");
    EXPECT_EQ(rows(), 5); // the grid is reset only after the reply came

    boxes.clear();
    edit("maxerg")->setText("100");
    data.write("reporting/backlink/xovi", "a file where the folder belongs");
    fetchFrom("RadioButton40");
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Datei \"")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(cell(1, 2), "http://p.example/"); // filled although nothing was saved
    EXPECT_EQ(shownPage("PageControl1"), "TabSheet1");
}

TEST_F(BacklinkWindow, SeokicksReplyOfItsOwnShape) {
    const std::string record = "<inlink><url>http://s.example/1</url><anchor><![cdata[Hallo]]>"
                               "</anchor><follow>1</follow><linktype>text</linktype>"
                               "<target>http://t.example/</target></inlink>";
    seokicksService.handle(replyAlways("<result>" + record + record + "</result>", "text/xml"));
    edit("maxerg")->setText("10001");
    edit("Edit44")->setText("ab:/c.d-e\"f");
    fetchFrom("RadioButton18");
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(edit("maxerg")->text(), "10001");
    EXPECT_NE(seokicksService.targets().at(0).find("&query=ab:/c.d-e\"f&details=2&results=10001"),
              std::string::npos);
    EXPECT_EQ(QStringList({cell(0, 3), cell(1, 3), cell(2, 3), cell(3, 3), cell(4, 3)}),
              QStringList({"3", "http://s.example/1", "Hallo", "1", "http://t.example/"}));
    EXPECT_TRUE(data.exists("reporting/backlink/seokicks/abcdef_" + stem.section('_', 1) + ".csv"));
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "ueberblick")), "");
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "speich")),
              "Link-URL\r\n\r\nhttp://s.example/1\r\nhttp://s.example/1\r\n");
    EXPECT_EQ(shownPage("PageControl3"), "Tabelle");

    seokicksService.stop();
    fetchFrom("RadioButton18");
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Socket Error # ")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(rows(), 4);
}
