#include "xovi_window.h"

#include "core/workspace.h"
#include "tests/text/fixed_measure.h"
#include "widgets/grid_view.h"

namespace xovi_test {
namespace {

class CheckColumn : public XoviWindow {
protected:
    // The crawler hands its list over to ueberblick.
    void handOver(const QString &links) {
        setMemoText(control(windows.form2.get(), "Memo1"), links);
        QTest::mouseClick(control<QPushButton>(windows.form2.get(), "Button2"), Qt::LeftButton);
    }
    void compare() { child<QAction>("LinklisteXoviRanking1")->trigger(); }
};

TEST_F(CheckColumn, MarksTheRankingPagesTheLinkListHolds) {
    addDomain(QStringLiteral("www.garten.de"));
    selectDomain(QStringLiteral("www.garten.de"));
    child<QRadioButton>("xovi_kw_lost")->setChecked(true);
    handOver(QStringLiteral("http://www.garten.de/tische/\r\nhttp://www.garten.de/Moebel/\r\n"
                            "URL\r\nhttp://www.garten.de/tische/\r\n"));
    compare();

    EXPECT_TRUE(child<QRadioButton>("xovi_kw")->isChecked());
    EXPECT_EQ(grid(), QStringList({"Nr.|Prüfspalte|Keyword|Position|URL",
                                   "1|http://www.garten.de/moebel/|gartenmöbel|3|N/A",
                                   "2|http://www.garten.de/tische/|tisch &amp; stühle|17|"
                                   "http://www.garten.de/tische/"}));
    EXPECT_EQ(memoText(child("speich")),
              "URL\r\nhttp://www.garten.de/moebel/\r\nhttp://www.garten.de/tische/\r\n");
    EXPECT_EQ(child<QTabWidget>("PageControl2")->currentWidget()->objectName(), "SEO");
    EXPECT_FALSE(child<QWidget>("Button4")->isVisibleTo(form));
}

TEST_F(CheckColumn, NeedsThreeLinesAndASavedProjectListAndLeavesAnEmptyListWithoutNA) {
    handOver(QStringLiteral("a\r\nb\r\n"));
    compare();
    EXPECT_EQ(messages.texts(),
              QStringList({"Es wurden keine OriginalUrls eingeladen - bitte holen Sie das nach!"}));

    // "Check" cannot save the project list: its error box, and no comparison.
    const QStringList before = grid();
    folder.makeFolder("reporting/projekte.txt");
    handOver(QStringLiteral("a\r\nb\r\nc\r\n"));
    messages.clear();
    compare();
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith("Datei \""));
    EXPECT_EQ(grid(), before);

    QDir(folder.path("reporting/projekte.txt")).removeRecursively();
    addDomain(QStringLiteral("www.unbekannt.de"));
    selectDomain(QStringLiteral("www.unbekannt.de"));
    compare();
    EXPECT_EQ(service().targets().size(), 1u);
    EXPECT_EQ(grid(), QStringList({"Nr.|Prüfspalte|Keyword|Position|"}));
}

TEST_F(CheckColumn, FitsWithThresholdThirtyAndAnEmptyLineMatchesAnEmptyAddress) {
    const std::string address = "http://a.de/01234567890123456789012"; // 35 characters
    service().prepend([address](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
        if (r.param("domain") != "a.de")
            return std::nullopt;
        return sandbox::Reply::xml("<x><url>" + address +
                                   "</url><k>k1</k><p>1</p><url></url><k>k2</k><p>2</p></x>");
    });
    form->workspace().ui.StringGrid3->grid().setMeasure(fixedMeasure(1));
    addDomain(QStringLiteral("a.de"));
    selectDomain(QStringLiteral("a.de"));
    setMemoText(child("ueberblick"), QString::fromStdString(address) + "\r\n\r\nb\r\n");
    compare();

    const QString link = QString::fromStdString(address);
    EXPECT_EQ(grid(), QStringList({"Nr.|Prüfspalte|Keyword|Position|",
                                   "1|" + link + "|k1|1|" + link, "2||k2|2|"}));
    int width = 0;
    QMetaObject::invokeMethod(child("StringGrid3"), "colWidth", Q_RETURN_ARG(int, width),
                              Q_ARG(int, 4));
    EXPECT_EQ(width, 35 + 1 + 5);
}

TEST_F(CheckColumn, KeywordcheckOnlyListsAllKeywords) {
    addDomain(QStringLiteral("www.garten.de"));
    selectDomain(QStringLiteral("www.garten.de"));
    child<QRadioButton>("xovi_kw_new")->setChecked(true);
    child<QAction>("Keywordcheck1")->trigger();
    EXPECT_TRUE(child<QRadioButton>("xovi_kw")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("xovi_kw_new")->isChecked());
    EXPECT_EQ(grid().size(), 3);
    EXPECT_EQ(grid().first(), "Nr.|URL|Keyword|Position");
}

} // namespace
} // namespace xovi_test
