// "Gegenprobe": every linking page of the grid fetched and judged, the found file written.
#include "backlink_window.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProgressBar>
#include <QTimer>

using Kind = sandbox::LinkingPage::Kind;

class CounterCheck : public BacklinkWindow {
protected:
    void SetUp() override {
        BacklinkWindow::SetUp();
        const std::string domain = "http://www.example.com";
        web.handle(sandbox::webPages({{"/mentions", Kind::Mentions, domain},
                                      {"/silent", Kind::Silent, domain},
                                      {"/shouts", Kind::OtherCase, domain},
                                      {"/moved", Kind::Redirects, domain},
                                      {"/gone", Kind::Missing, domain},
                                      {"/hangs", Kind::NeverAnswers, domain}},
                                     3000));
        std::vector<sandbox::Backlink> links;
        for (const char *path : {"/mentions", "/silent", "/shouts", "/moved", "/gone", "/hangs"})
            links.push_back({page(path), "anchor", domain, true});
        xovi.service().handle(sandbox::xoviBacklinks({kKey, {{domain, links}}, {}}));
        form->workspace().IdHTTP1.setTimeouts(2000, 300);
        testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("100");
        fetchFrom("RadioButton40");
        ASSERT_EQ(rows(), 8);
    }
};

TEST_F(CounterCheck, JudgesEveryLineAndWritesTheFoundFile) {
    counterCheck();
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(cols(), 6);
    const QStringList expected = {"BL ist N/A",     "BL ist N/A", "gefunden",   "nicht gefunden",
                                  "nicht gefunden", "BL ist N/A", "BL ist N/A", "BL ist N/A"};
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(cell(5, row), expected[row]) << "row " << row;

    const QString found = "reporting/backlink/found/" + stem + ".txt";
    EXPECT_EQ(data.read(found), QByteArray(page("/mentions").c_str()) + "\r\n");
    EXPECT_EQ(form->workspace().SavePath, data.path(found));
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b Gegenprobe fertig gestellt.");
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "Memo1")), "");
    EXPECT_EQ(testing_gui::memoLineCount(testing_gui::control(form, "ueberblick")), 8);
    // The details name the XOVI list they checked: a header row and its six addresses.
    EXPECT_EQ(data.read("reporting/backlink/found/" + stem + "_xovi_details.csv").count("\r\n"), 7);

    // A second run appends another column and leaves the list file (now not SavePath) alone.
    const QString list = "reporting/backlink/xovi/" + stem + "_list.txt";
    data.write(list, "edited\r\n");
    counterCheck();
    EXPECT_EQ(cols(), 7);
    EXPECT_EQ(cell(6, 2), "gefunden");
    EXPECT_EQ(data.read(list), "edited\r\n");
}

TEST_F(CounterCheck, RewritesTheListFileWhileSavePathNamesIt) {
    const QString list = "reporting/backlink/xovi/" + stem + "_list.txt";
    data.write(list, "edited\r\n");
    edit("Edit44")->setText(""); // an empty domain text is in no page
    counterCheck();
    EXPECT_TRUE(data.read(list).startsWith("Link-URL\r\n\r\nhttp://"));
    EXPECT_EQ(cell(5, 2), "nicht gefunden");
    EXPECT_EQ(data.read("reporting/backlink/found/_" + stem.section('_', 1) + ".txt"), "");
}

TEST_F(CounterCheck, PauseThatIsNoNumberStopsBeforeAnyFetch) {
    web.clearRequests();
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("schnell");
    counterCheck();
    EXPECT_EQ(boxes.texts(), QStringList{"'schnell' ist kein gültiger Integerwert"});
    EXPECT_EQ(cols(), 6);
    EXPECT_EQ(cell(5, 2), "");
    EXPECT_TRUE(web.targets().empty());
}

TEST_F(BacklinkWindow, CounterCheckOnATrendTableFindsNoAddresses) {
    QMetaObject::invokeMethod(grid(), "setRowCount", Q_ARG(int, 5));
    for (int row = 0; row < 5; ++row)
        QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 1), Q_ARG(int, row),
                                  Q_ARG(QString, row == 0  ? "Keyword"
                                                 : row > 2 ? "seo+tool"
                                                           : ""));
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("100");
    counterCheck();
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(cell(5, row), "BL ist N/A");
    EXPECT_TRUE(web.targets().empty());
}

TEST_F(BacklinkWindow, CounterCheckBeforeAnyFetchJudgesTheEmptyGrid) {
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("0");
    QString domainPart = edit("Edit44")->text();
    for (const char *gone : {".", ":", "-", "/", "\""})
        domainPart.remove(QString::fromLatin1(gone));
    counterCheck();
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(cols(), 6);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(cell(5, row), "BL ist N/A");
    const QString found = "reporting/backlink/found/" + domainPart + "_" + stem.section('_', 1);
    EXPECT_TRUE(data.exists(found + ".txt")) << found.toStdString();
    EXPECT_EQ(data.read(found + ".txt"), "");
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "speich")), "\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(BacklinkWindow, CounterCheckFindsTheDomainTextAnywhereInThePageAsDecoded) {
    web.handle([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.path == "/comment")
            return sandbox::Reply::html("<html><!-- www.m\xc3\xbcller.de --></html>");
        if (r.path == "/plain text")
            return sandbox::Reply::html("<p>see www.m\xc3\xbcller.de today</p>");
        if (r.path == "/no-charset") // the UTF-8 bytes read one character each
            return sandbox::Reply::make(200, "<p>www.m\xc3\xbcller.de</p>", "text/html");
        return sandbox::Reply::html(
            "<a rel=\"nofollow\" href=\"http://www.m\xc3\xbcller.de/\">x</a>");
    });
    std::string reply = "<r>";
    for (const char *path : {"/comment", "/plain text", "/no-charset", "/nofollow"})
        reply += "<linkingUrl>" + page(path) + "</linkingUrl><anchorText>a</anchorText>";
    xovi.service().handle(replyAlways(reply + "</r>"));
    edit("Edit44")->setText("www.m\u00fcller.de");
    fetchFrom("RadioButton40");
    ASSERT_EQ(rows(), 6);
    web.clearRequests();
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("300");
    QString captionDuringRun;
    QTimer::singleShot(50, form, [&] { captionDuringRun = form->windowTitle(); });
    counterCheck();

    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(captionDuringRun, "Kelvaro Fennwick v.0.4b Gegenprobe - Backlink auf: Link-URL");
    EXPECT_EQ(QStringList({cell(5, 2), cell(5, 3), cell(5, 4), cell(5, 5)}),
              QStringList({"gefunden", "gefunden", "nicht gefunden", "gefunden"}));
    EXPECT_EQ(web.targets().at(1), "/plain%20text");
    const QByteArray base = web.base().c_str();
    EXPECT_EQ(
        data.read("reporting/backlink/found/wwwm\u00fcllerde_" + stem.section('_', 1) + ".txt"),
        base + "/comment\r\n" + base + "/plain text\r\n" + base + "/nofollow\r\n");
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "speich")),
              "<a rel=\"nofollow\" href=\"http://www.m\u00fcller.de/\">x</a>");
}

TEST_F(BacklinkWindow, CounterCheckTakesAPaceChangeFromTheNextLine) {
    seokicksService.handle(sandbox::seokicks(
        {kAppid, {{"http://www.example.com", {{page("/x"), "a", "t", true}}}}, {}}));
    web.handle(replyAlways("http://www.example.com", "text/html"));
    fetchFrom("RadioButton18");
    const QString list = "reporting/backlink/seokicks/" + stem + "_list.txt";
    data.write(list, "edited\r\n");
    auto *pace = testing_gui::control<QComboBox>(form, "ComboBox19");
    pace->setCurrentText("1500");
    QTimer::singleShot(100, form, [pace] { pace->setCurrentText("0"); });
    QElapsedTimer clock;
    clock.start();
    counterCheck();
    EXPECT_LT(clock.elapsed(), 3000); // three lines, only the first paced
    EXPECT_EQ(cell(5, 2), "gefunden");
    EXPECT_EQ(data.read(list), QByteArray("Link-URL\r\n\r\n") + page("/x").c_str() + "\r\n");
    EXPECT_TRUE(data.exists("reporting/backlink/found/" + stem + "_seokicks_details.html"));
}

TEST_F(BacklinkWindow, AFoundFileThatCannotBeWrittenKeepsTheVerdictsAndMemo1) {
    xovi.service().handle(replyAlways("<r><linkingUrl>" + page("/p") +
                                      "</linkingUrl><anchorText>a</anchorText></r>"));
    web.handle(replyAlways("http://www.example.com", "text/html"));
    fetchFrom("RadioButton40");
    data.write("reporting/backlink/found", "a file where the folder belongs");
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("0");
    counterCheck();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(cell(5, 2), "gefunden");
    EXPECT_EQ(testing_gui::memoText(testing_gui::control(form, "Memo1")),
              QString::fromStdString(page("/p")) + "\r\n");
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b Gegenprobe fertig gestellt.");
}

// "Abbrechen" stops the walk before the next page; the found file and the details hold the
// pages checked, and the caption says the run was cancelled.
TEST_F(CounterCheck, AbbrechenStopsBeforeTheNextPageAndKeepsWhatWasChecked) {
    const QString silent = QString::fromStdString(page("/silent"));
    QObject::connect(form, &QWidget::windowTitleChanged, form, [&](const QString &title) {
        if (title.endsWith(silent))
            QTest::mouseClick(testing_gui::control<QPushButton>(form, "Abbrechen"), Qt::LeftButton);
    });
    web.clearRequests();
    counterCheck();
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(form->windowTitle(),
              "Kelvaro Fennwick v.0.4b Gegenprobe fertig gestellt. abgebrochen");
    EXPECT_EQ(web.targets(), std::vector<std::string>{"/mentions"});
    EXPECT_EQ(cell(5, 2), "gefunden");
    EXPECT_EQ(cell(5, 3), "");
    EXPECT_EQ(data.read("reporting/backlink/found/" + stem + ".txt"),
              QByteArray(page("/mentions").c_str()) + "\r\n");
    // The header row and the one page checked, beside (never in place of) a complete report.
    const QString details = "reporting/backlink/found/" + stem + "_xovi_abgebrochen_details";
    EXPECT_EQ(data.read(details + ".csv").count("\r\n"), 2);
    EXPECT_TRUE(data.read(details + ".html").contains("abgebrochen nach 1 von 6"));
    EXPECT_FALSE(data.exists("reporting/backlink/found/" + stem + "_xovi_details.csv"));
    EXPECT_TRUE(testing_gui::control<QWidget>(form, "ProgressBar1")->isHidden());
}

// The details beside the found file come from the one fetch of each line: a redirect with its
// target, a page whose X-Robots-Tag says noindex; the verdict column keeps its substring rule.
TEST_F(BacklinkWindow, CounterCheckDetailsReadTheOneReplyOfEachLine) {
    const std::string domain = "http://www.example.com";
    web.handle([domain](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.path != "/intern")
            return std::nullopt;
        sandbox::Reply reply =
            sandbox::Reply::html(sandbox::linkingPageHtml({"/intern", Kind::Mentions, domain}));
        reply.headers.emplace_back("X-Robots-Tag", "noindex");
        return reply;
    });
    web.handle(sandbox::webPages({{"/moved", Kind::Redirects, domain}}));
    const QStringList list = {"Link-URL", "", QString::fromStdString(page("/moved")),
                              QString::fromStdString(page("/intern"))};
    QMetaObject::invokeMethod(grid(), "setRowCount", Q_ARG(int, int(list.size())));
    for (int row = 0; row < list.size(); ++row)
        QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 1), Q_ARG(int, row),
                                  Q_ARG(QString, list[row]));
    edit("Edit44")->setText(QString::fromStdString(domain));
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("100");
    counterCheck();

    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(web.targets(), std::vector<std::string>({"/moved", "/intern"}));
    EXPECT_EQ(QStringList({cell(5, 0), cell(5, 1), cell(5, 2), cell(5, 3)}),
              QStringList({"BL ist N/A", "BL ist N/A", "BL ist N/A", "gefunden"}));
    // The list came from no fetch: the plain name. Its heading line and empty line are no
    // addresses and no rows.
    const QStringList rows =
        QString::fromUtf8(data.read("reporting/backlink/found/" + stem + "_details.csv"))
            .split("\r\n");
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[0].startsWith("\uFEFFAdresse,"));
    const QString https = "https://" + QString::fromStdString(web.base()).section("//", 1);
    EXPECT_EQ(rows[1], list[2] + ",301," + https + "/moved,nein,,,nein,Weiterleitung");
    EXPECT_EQ(rows[2], list[3] + ",200,,ja,,http://www.example.com,ja,\"Link vorhanden\"");
    EXPECT_TRUE(data.read("reporting/backlink/found/" + stem + "_details.html")
                    .contains("Liste der Tabelle, Datum: "));
}

// A page that keeps the walk waiting: meanwhile the window paints, shows the progress and a busy
// cursor, takes "Abbrechen" but no other input, and the run ends at once, that page unjudged.
TEST_F(BacklinkWindow, AbbrechenDuringASlowPageEndsTheRunWithoutItsVerdict) {
    const std::string domain = "http://www.example.com";
    web.handle([domain](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        sandbox::Reply reply =
            sandbox::Reply::html(sandbox::linkingPageHtml({r.path, Kind::Mentions, domain}));
        if (r.path == "/slow")
            reply.delayMs = 3000;
        return reply;
    });
    const QStringList list = {"Link-URL", "", QString::fromStdString(page("/first")),
                              QString::fromStdString(page("/slow")),
                              QString::fromStdString(page("/after"))};
    QMetaObject::invokeMethod(grid(), "setRowCount", Q_ARG(int, int(list.size())));
    for (int row = 0; row < list.size(); ++row)
        QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 1), Q_ARG(int, row),
                                  Q_ARG(QString, list[row]));
    edit("Edit44")->setText(QString::fromStdString(domain));
    testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("0");
    // Acted on, a click on "Check!" would ask XOVI for backlinks on the busy client.
    testing_gui::control<QRadioButton>(form, "RadioButton40")->setChecked(true);

    int ticks = 0;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&ticks] { ++ticks; });
    painter.start(20);
    int ticksInWait = -1, progressInWait = -1;
    bool busyInWait = false;
    QElapsedTimer sinceCancel;
    QObject::connect(form, &QWidget::windowTitleChanged, form, [&](const QString &title) {
        if (!title.endsWith(list[3]))
            return;
        ticks = 0;
        QTimer::singleShot(500, form, [&] {
            ticksInWait = ticks;
            progressInWait = testing_gui::control<QProgressBar>(form, "ProgressBar1")->value();
            busyInWait = QGuiApplication::overrideCursor() &&
                         QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor;
            QTest::keyClick(edit("Edit44"), Qt::Key_X);
            QTest::mouseClick(testing_gui::control<QPushButton>(form, "Button99"), Qt::LeftButton);
            QTest::mouseClick(testing_gui::control<QPushButton>(form, "Abbrechen"), Qt::LeftButton);
            sinceCancel.start();
        });
    });
    counterCheck();

    ASSERT_TRUE(sinceCancel.isValid());
    EXPECT_LT(sinceCancel.elapsed(), 1000);
    EXPECT_GE(ticksInWait, 5);
    EXPECT_EQ(progressInWait, 1); // addresses only: "/first" done
    EXPECT_TRUE(busyInWait);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(edit("Edit44")->text(), QString::fromStdString(domain));
    EXPECT_TRUE(xovi.service().targets().empty());
    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();

    EXPECT_EQ(form->windowTitle(),
              "Kelvaro Fennwick v.0.4b Gegenprobe fertig gestellt. abgebrochen");
    EXPECT_EQ(web.targets(), std::vector<std::string>({"/first", "/slow"}));
    EXPECT_EQ(cell(5, 2), "gefunden");
    EXPECT_EQ(cell(5, 3), "");
    EXPECT_EQ(data.read("reporting/backlink/found/" + stem + ".txt"),
              QByteArray(page("/first").c_str()) + "\r\n");
    EXPECT_EQ(
        data.read("reporting/backlink/found/" + stem + "_abgebrochen_details.csv").count("\r\n"),
        2);
}
