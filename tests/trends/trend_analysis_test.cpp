// "Analyse": the ranking of the selected keywords on every date of the chosen year, and the
// watched domains and keywords it works on.
#include "sandbox/xovi_trends.h"
#include "tests/support/gui_helpers.h"
#include "tests/support/trusted_standin.h"
#include "trends/date_table.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace testing_gui;

namespace {

// Every trend request answers "<keyword>@<date>" unless a test says otherwise.
sandbox::TrendData echoData() {
    sandbox::TrendData data;
    data.key = "operator-key";
    data.otherwise = [](const std::string &keyword, const std::string &date) {
        return keyword + "@" + date;
    };
    return data;
}

// Fails every request for `date` with a server error.
sandbox::Handler failOn(const std::string &date) {
    return [date](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("date") != date)
            return std::nullopt;
        return sandbox::Reply::withStatus(500, "down");
    };
}

} // namespace

class TrendWindow : public ::testing::Test {
protected:
    void SetUp() override {
        xovi.service().handle(sandbox::xoviTrends(echoData()));
        qputenv("KELVARO_XOVI_ENDPOINT", (xovi.service().base() + "/api/").c_str());
        // The year 2026 whatever today is: its table is there before the window starts.
        data.write("db/2026", (kf::trends::weekSundays(2026).join("\r\n") + "\r\n").toLatin1());
        windows = createWindows(data.root());
        form = windows.form1.get();
        control<QLineEdit>(form, "xovi_api_key")->setText("operator-key");
        control<QComboBox>(form, "auswahl_jahr")->setCurrentText("2026");
        ASSERT_EQ(list("ListBox3")->count(), 52);
    }
    void TearDown() override {
        windows = {};
        qunsetenv("KELVARO_XOVI_ENDPOINT");
    }

    QListWidget *list(const char *name) { return control<QListWidget>(form, name); }
    QObject *grid() { return control(form, "StringGrid5"); }
    QString cell(int col, int row) {
        QString out;
        QMetaObject::invokeMethod(grid(), "cell", Q_RETURN_ARG(QString, out), Q_ARG(int, col),
                                  Q_ARG(int, row));
        return out;
    }
    int rows() { return gridInt(grid(), "rowCount"); }
    int cols() { return gridInt(grid(), "colCount"); }

    // The domain in ListBox2, the keywords in kw_analyze, all of them selected.
    void prepare(const QString &domain, const QStringList &keywords) {
        list("ListBox2")->clear();
        list("ListBox2")->addItem(domain);
        list("ListBox2")->item(0)->setSelected(true);
        list("kw_analyze")->clear();
        list("kw_analyze")->addItems(keywords);
        for (int k = 0; k < keywords.size(); ++k)
            list("kw_analyze")->item(k)->setSelected(true);
    }
    void analyse() { QTest::mouseClick(control<QPushButton>(form, "Button5"), Qt::LeftButton); }
    QString lastSpeichLine() {
        QObject *speich = control(form, "speich");
        return memoLine(speich, memoLineCount(speich) - 1);
    }

    DataFolder data;
    MessageCapture boxes;
    TrustedHttpsService xovi;
    Windows windows;
    TForm1 *form = nullptr;
};

TEST_F(TrendWindow, TwoKeywordsOverAYear) {
    prepare("http://shop.example", {"seo tool", "backlinks"});
    form->setWindowTitle("vorher");
    // During the run the window takes events: the caption tells where it is, and a second
    // "Analyse" does not start another run on top.
    QString captionDuringRun;
    QTimer::singleShot(0, form, [&] {
        captionDuringRun = form->windowTitle();
        analyse();
    });
    analyse();

    ASSERT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(captionDuringRun, "Kelvaro Fennwick v.0.4b Rankingverlauf: seo+tool - 2026-01-04");
    EXPECT_EQ(form->windowTitle(), "vorher");
    EXPECT_EQ(cols(), 55);
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(QStringList({cell(0, 0), cell(1, 0), cell(2, 0), cell(3, 0), cell(54, 0)}),
              QStringList({"Nr.", "Keyword", "Tag", "2026-01-04", "2026-12-27"}));
    EXPECT_EQ(cell(0, 1) + cell(1, 2) + cell(3, 2), "");
    EXPECT_EQ(QStringList({cell(0, 3), cell(1, 3), cell(2, 3)}),
              QStringList({"3", "seo+tool", ""}));
    EXPECT_EQ(cell(3, 3), "seo tool@2026-01-04"); // line 24 of each reply
    EXPECT_EQ(cell(54, 3), "seo tool@2026-12-27");
    EXPECT_EQ(QStringList({cell(0, 4), cell(1, 4), cell(54, 4)}),
              QStringList({"4", "backlinks", "backlinks@2026-12-27"}));

    const auto targets = xovi.service().targets();
    ASSERT_EQ(targets.size(), 104u);
    EXPECT_EQ(targets[0], std::string("/api/index.php?key=operator-key&service=seo&method="
                                      "getKeywordTrend&domain=shop.example&keyword=seo+tool"
                                      "&sengine=google.de&date=2026-01-04&format=xml"));
    EXPECT_TRUE(lastSpeichLine().endsWith("index.php?key=operator-key&service=seo&method="
                                          "getKeywordTrend&domain=shop.example&keyword=seo"
                                          "&sengine=google.de&format=xml"));
}

TEST_F(TrendWindow, OnlyHttpPrefixesLeaveTheDomainAndAWrongKeyGivesEmptyValues) {
    list("ListBox3")->clear();
    list("ListBox3")->addItem("2026-03-01");
    for (const char *domain : {"HTTP://shop", "http://shop", "https://shop"}) {
        prepare(domain, {"seo"});
        analyse();
    }
    const auto targets = xovi.service().targets();
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_NE(targets[0].find("&domain=shop&"), std::string::npos);
    EXPECT_NE(targets[1].find("&domain=shop&"), std::string::npos);
    EXPECT_NE(targets[2].find("&domain=https://shop&"), std::string::npos);

    control<QLineEdit>(form, "xovi_api_key")->setText("wrong");
    analyse();
    EXPECT_EQ(cell(3, 3), "");
    EXPECT_EQ(xovi.service().requests().back().param("key"), "wrong");
}

TEST_F(TrendWindow, AFailureAtTheFirstDateEndsTheRunQuietly) {
    xovi.service().prepend(failOn("2026-01-04"));
    prepare("shop", {"seo tool", "backlinks"});
    analyse();
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(xovi.service().targets().size(), 1u);
    EXPECT_EQ(cols(), 4);
    EXPECT_EQ(rows(), 4);
    EXPECT_EQ(cell(3, 0), "2026-01-04");
    EXPECT_EQ(cell(0, 3) + cell(1, 3) + cell(3, 3), "");
    EXPECT_TRUE(lastSpeichLine().contains("&domain=shop&keyword=seo&"));
}

TEST_F(TrendWindow, AFailureAtALaterDateHidesTheLaterColumns) {
    xovi.service().prepend([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("keyword") != "backlinks" || r.param("date") != "2026-02-08")
            return std::nullopt;
        return sandbox::Reply::withStatus(500, "down");
    });
    prepare("shop", {"seo tool", "backlinks"});
    analyse();
    EXPECT_EQ(xovi.service().targets().size(), 52u + 6u);
    EXPECT_EQ(cols(), 4 + 5); // the failure at date 5 of the second keyword
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(cell(7, 3), "seo tool@2026-02-01");
    EXPECT_EQ(cell(7, 4), "backlinks@2026-02-01");
    EXPECT_EQ(cell(8, 4), "");
}

// "Abbrechen" before the third request: the table keeps the two values, the sample line and
// the chart follow as after a failure, and the caption says the run was cancelled.
TEST_F(TrendWindow, AbbrechenEndsTheTableAndTheChartShowsWhatWasFilled) {
    sandbox::TrendData numbers = echoData();
    numbers.otherwise = [](const std::string &, const std::string &date) {
        return date.substr(8); // the day of the month as the position
    };
    xovi.service().prepend(sandbox::xoviTrends(numbers));
    prepare("shop", {"seo tool", "backlinks"});
    form->setWindowTitle("vorher");
    QObject::connect(form, &QWidget::windowTitleChanged, form, [&](const QString &title) {
        if (title.endsWith("seo+tool - 2026-01-18"))
            QTest::mouseClick(control<QPushButton>(form, "Abbrechen"), Qt::LeftButton);
    });
    analyse();

    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(xovi.service().targets().size(), 2u);
    EXPECT_EQ(form->windowTitle(),
              "Kelvaro Fennwick v.0.4b Rankingverlauf: seo+tool - 2026-01-18 abgebrochen");
    EXPECT_EQ(cols(), 5);
    EXPECT_EQ(rows(), 4);
    EXPECT_EQ(cell(4, 3), "11");
    EXPECT_TRUE(lastSpeichLine().contains("&domain=shop&keyword=seo&"));
    const QList<QAbstractSeries *> series = control<QChartView>(form, "Chart1")->chart()->series();
    ASSERT_EQ(series.size(), 1);
    EXPECT_EQ(static_cast<QLineSeries *>(series[0])->points(), QList<QPointF>({{0, 4}, {1, 11}}));
    EXPECT_TRUE(control<QWidget>(form, "ProgressBar1")->isHidden());

    // A later run that goes through does not bring the cancelled run's caption back.
    QObject::disconnect(form, &QWidget::windowTitleChanged, form, nullptr);
    analyse();
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b");
}

TEST(KeywordWatch, DomainAndKeywordListsAreSavedOnAFreshInstallation) {
    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    auto *domains = control<QComboBox>(w.form1.get(), "Domain_Xovi");
    auto *entry = control<QLineEdit>(w.form1.get(), "kw_analyze_entry");
    auto *keywords = control<QListWidget>(w.form1.get(), "kw_analyze");

    domains->setEditText("shop.example");
    QTest::keyClick(domains->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(data.read("reporting/projekte_kw.txt"), "shop.example\r\n");
    EXPECT_TRUE(data.exists("reporting/xovi/verlauf"));

    for (const char *keyword : {"seo tool", "backlinks", "seo tool"}) {
        entry->setText(keyword);
        QTest::keyClick(entry, Qt::Key_Return, Qt::ShiftModifier);
    }
    EXPECT_EQ(keywords->count(), 2);
    EXPECT_EQ(data.read("reporting/xovi/verlauf/shop.example.txt"), "seo tool\r\nbacklinks\r\n");
    EXPECT_EQ(data.read("reporting/projekte_kw.txt"), "shop.example\r\n");

    // A domain without a keyword file keeps the list shown; a keyword entered now joins it.
    domains->setEditText("blog.example");
    EXPECT_EQ(keywords->count(), 2);
    entry->setText("ratgeber");
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(data.read("reporting/xovi/verlauf/blog.example.txt"),
              "seo tool\r\nbacklinks\r\nratgeber\r\n");
    EXPECT_EQ(data.read("reporting/projekte_kw.txt"), "shop.example\r\nblog.example\r\n");

    data.write("reporting/xovi/verlauf/other.txt", "eins\r\n");
    domains->setEditText("other");
    EXPECT_EQ(keywords->count(), 1);
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(KeywordWatch, KeypadEnterEmptyTextsAndANameThatCannotBeWritten) {
    DataFolder data;
    MessageCapture boxes;
    data.write("reporting/xovi/verlauf/x.de.txt", "alt\r\n");
    Windows w = createWindows(data.root());
    auto *domains = control<QComboBox>(w.form1.get(), "Domain_Xovi");
    auto *entry = control<QLineEdit>(w.form1.get(), "kw_analyze_entry");
    auto *keywords = control<QListWidget>(w.form1.get(), "kw_analyze");

    // The typed domain's list is shown; a new keyword joins it although the combo had no items.
    domains->setEditText("x.de");
    entry->setText("neu");
    QTest::keyClick(entry, Qt::Key_Enter);
    EXPECT_EQ(data.read("reporting/xovi/verlauf/x.de.txt"), "alt\r\nneu\r\n");
    entry->setText("");
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(data.read("reporting/xovi/verlauf/x.de.txt"), "alt\r\nneu\r\n\r\n");
    domains->setEditText("");
    QTest::keyClick(domains->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(data.read("reporting/projekte_kw.txt"), "x.de\r\n\r\n");
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();

    domains->setEditText("a/b");
    entry->setText("k");
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(keywords->count(), 4);
    EXPECT_FALSE(data.exists("reporting/xovi/verlauf/a"));
}

TEST_F(TrendWindow, ValueIsLine24OfTheReplyAsTheServiceIndentsIt) {
    // Six leaf elements below a root: the sixth value stands on line 24 when the gaps hold an
    // LF and a tab; CR LF line ends add a line to every gap.
    xovi.service().prepend([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        const std::string gap = r.param("date") == "2026-01-04" ? "\n\t" : "\r\n";
        std::string body = "<response>";
        for (int k = 1; k <= 6; ++k)
            body += gap + "<e" + std::to_string(k) + ">v" + std::to_string(k) + "</e" +
                    std::to_string(k) + ">";
        return sandbox::Reply::xml(body + gap + "</response>");
    });
    list("ListBox3")->clear();
    list("ListBox3")->addItems({"2026-01-04", "2026-01-11"});
    prepare("shop", {"gr\u00f6\u00dfe tool"});
    control<QComboBox>(form, "sengine")->setEditText("bing.de");
    analyse();

    EXPECT_EQ(xovi.service().targets().at(0),
              "/api/index.php?key=operator-key&service=seo&method=getKeywordTrend&domain=shop"
              "&keyword=gr%C3%B6%C3%9Fe+tool&sengine=google.de&date=2026-01-04&format=xml");
    EXPECT_EQ(cell(1, 3), "gr\u00f6\u00dfe+tool");
    EXPECT_EQ(cell(3, 3), "v6");
    EXPECT_EQ(cell(4, 3), "<e5>");
    const QString speich = memoText(control(form, "speich"));
    EXPECT_TRUE(speich.startsWith("\r\n<response>\r\n\r\n\r\n<e1>\r\nv1\r\n"))
        << speich.toStdString();
    EXPECT_TRUE(speich.endsWith("</response>\r\n" + QString::fromStdString(xovi.service().base()) +
                                "/api/index.php?key=operator-key&service=seo&method="
                                "getKeywordTrend&domain=shop&keyword=seo&sengine=bing.de"
                                "&format=xml\r\n"));
    EXPECT_EQ(control<QTabWidget>(form, "PageControl3")->currentWidget()->objectName(),
              "TabSheet5");
}

TEST_F(TrendWindow, WithoutADomainOnlyTheSampleLineIsAdded) {
    prepare("shop", {"seo"});
    list("ListBox2")->item(0)->setSelected(false);
    QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 2), Q_ARG(int, 2),
                              Q_ARG(QString, "bleibt"));
    setMemoText(control(form, "speich"), "vorher\r\n");
    analyse();
    list("ListBox2")->addItem("");
    list("ListBox2")->item(1)->setSelected(true);
    analyse();
    EXPECT_TRUE(xovi.service().targets().empty());
    EXPECT_EQ(cell(2, 2), "bleibt");
    const QString sample = QString::fromStdString(xovi.service().base()) +
                           "/api/index.php?key=operator-key&service=seo&method=getKeywordTrend"
                           "&domain=&keyword=seo&sengine=" +
                           control<QComboBox>(form, "sengine")->currentText() + "&format=xml\r\n";
    EXPECT_EQ(memoText(control(form, "speich")), "vorher\r\n" + sample + sample);
}

TEST_F(TrendWindow, NoKeywordOrNoDateMakesNoRequest) {
    prepare("shop", {"a", "b"});
    list("kw_analyze")->clearSelection();
    QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 4), Q_ARG(int, 4),
                              Q_ARG(QString, "alt"));
    analyse();
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(cols(), 3);
    EXPECT_EQ(QStringList({cell(0, 0), cell(1, 0), cell(2, 0)}),
              QStringList({"Nr.", "Keyword", "Tag"}));
    QMetaObject::invokeMethod(grid(), "setColCount", Q_ARG(int, 5));
    QMetaObject::invokeMethod(grid(), "setRowCount", Q_ARG(int, 5));
    EXPECT_EQ(cell(4, 4), ""); // hidden cells are emptied too

    list("ListBox3")->clear();
    list("kw_analyze")->selectAll();
    analyse();
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(cols(), 3);
    EXPECT_EQ(cell(0, 3) + cell(1, 3) + cell(0, 4) + cell(1, 4), "");
    EXPECT_TRUE(xovi.service().targets().empty());
}
