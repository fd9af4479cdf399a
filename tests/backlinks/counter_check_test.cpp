// "Gegenprobe": every linking page of the grid fetched and judged, the found file written.
#include "backlink_window.h"

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
    EXPECT_EQ(data.read("reporting/backlink/found/" + stem + "_details.csv").count("\r\n"), 3);
    EXPECT_TRUE(testing_gui::control<QWidget>(form, "StatusBar1")->isHidden());
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
    const QStringList rows =
        QString::fromUtf8(data.read("reporting/backlink/found/" + stem + "_details.csv"))
            .split("\r\n");
    ASSERT_EQ(rows.size(), 5);
    const QString https = "https://" + QString::fromStdString(web.base()).section("//", 1);
    EXPECT_EQ(rows[2], list[2] + ",301," + https + "/moved,nein,,,nein,Weiterleitung");
    EXPECT_EQ(rows[3], list[3] + ",200,,ja,,http://www.example.com,ja,\"Link vorhanden\"");
    EXPECT_TRUE(data.exists("reporting/backlink/found/" + stem + "_details.html"));
}
