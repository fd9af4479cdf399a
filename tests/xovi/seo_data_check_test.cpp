#include "xovi_window.h"

#include <QElapsedTimer>
#include <QTimer>

namespace xovi_test {
namespace {

// SEO.getRank as the analytics server answers it: the rank of row k on line 12 + 20k.
std::string seoRank(const std::vector<std::string> &ranks) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<result>\n";
    for (std::size_t k = 0; k < ranks.size(); ++k) {
        const std::string id = std::to_string(k), &rank = ranks[k];
        xml += "\t<row>\n\t\t<label>Figure " + id + "</label>\n\t\t<rank>" + rank +
               "</rank>\n\t\t<logo>plugins/SEO/images/logo.png</logo>\n\t\t<id>seo" + id +
               "</id>\n\t</row>\n";
    }
    return xml + "</result>";
}

class SeoDataCheck : public XoviWindow {
protected:
    void SetUp() override {
        XoviWindow::SetUp();
        piwik.handle([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
            if (r.param("method") != "SEO.getRank")
                return std::nullopt;
            if (r.param("url") == "b.example/")
                return sandbox::Reply::withStatus(500);
            return sandbox::Reply::xml(seoRank({"5", "1200", "800", "95000", "7"}));
        });
        child<QLineEdit>("URL")->setText(QString::fromStdString(piwik.base() + "/"));
        child<QLineEdit>("Token")->setText(QStringLiteral("t0k"));
        addDomain(QStringLiteral("http://www.garten.de"));
        addDomain(QStringLiteral("b.example"));
    }
    // The caption half a second into the run, while the first domain's pause lasts.
    QString runAndWatchCaption() {
        QString early;
        QTimer::singleShot(500, form, [&] { early = form->windowTitle(); });
        QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
        return early;
    }

    sandbox::LoopbackService piwik;
};

TEST_F(SeoDataCheck, EveryDomainInTurnWithProgressAndAPauseThatKeepsTheWindowWorking) {
    child<QRadioButton>("PiWikAPI")->setChecked(true);
    EXPECT_EQ(runAndWatchCaption(),
              "Kelvaro Fennwick v.0.4b checke: http://www.garten.de Nr.:0 / 1");
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b checke: b.example Nr.:1 / 1");
    EXPECT_EQ(grid(), QStringList({"Nr.|Domain|Google Pagerank|Index-Google|Index-Bing|Alexa-Rank",
                                   "1|http://www.garten.de|5|1200|800|95000"}));
    const auto requests = piwik.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].param("url"), "http://www.garten.de/");
    EXPECT_EQ(requests[1].param("url"), "b.example/");
    EXPECT_TRUE(service().targets().empty());
}

// "Abbrechen" during the first domain's pause: the pause ends, the next domain is not asked.
TEST_F(SeoDataCheck, AbbrechenStopsBeforeTheNextDomain) {
    child<QRadioButton>("PiWikAPI")->setChecked(true);
    // A second Check during the pause is refused whole: speich keeps the first run's reply.
    QString speichDuringPause;
    QTimer::singleShot(200, form, [&] {
        speichDuringPause = testing_gui::memoText(child<QWidget>("speich"));
        QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
        EXPECT_EQ(testing_gui::memoText(child<QWidget>("speich")), speichDuringPause);
    });
    QTimer::singleShot(300, form,
                       [&] { QTest::mouseClick(child<QPushButton>("Abbrechen"), Qt::LeftButton); });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
    EXPECT_LT(clock.elapsed(), 900);
    EXPECT_EQ(form->windowTitle(),
              "Kelvaro Fennwick v.0.4b checke: http://www.garten.de Nr.:0 / 1 abgebrochen");
    EXPECT_EQ(piwik.requests().size(), 1u);
    EXPECT_EQ(grid().size(), 2);
    EXPECT_TRUE(child<QWidget>("ProgressBar1")->isHidden());
}

TEST_F(SeoDataCheck, AKeywordListChosenAsWellReplacesTheTable) {
    selectDomain(QStringLiteral("http://www.garten.de"));
    child<QRadioButton>("PiWikAPI")->setChecked(true);
    child<QRadioButton>("xovi_kw")->setChecked(true);
    runAndWatchCaption();
    EXPECT_EQ(piwik.requests().size(), 2u);
    EXPECT_EQ(grid().size(), 3);
    EXPECT_EQ(grid().first(), "Nr.|URL|Keyword|Position");
}

TEST_F(SeoDataCheck, AnEmptyListKeepsTheCaptionAndAnEmptyEntryIsAnEmptyDomain) {
    QListWidget *domains = child<QListWidget>("ListBox2");
    domains->clear();
    child<QRadioButton>("PiWikAPI")->setChecked(true);
    child<QTabWidget>("PageControl1")->setCurrentIndex(1);
    QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b");
    EXPECT_EQ(grid(),
              QStringList({"Nr.|Domain|Google Pagerank|Index-Google|Index-Bing|Alexa-Rank"}));

    domains->addItems({QString(), QStringLiteral("b.de/")});
    QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
    const auto requests = piwik.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].param("url"), "/");
    EXPECT_EQ(requests[1].param("url"), "b.de//");
    EXPECT_EQ(grid().mid(1), QStringList({"1||5|1200|800|95000", "2|b.de/|5|1200|800|95000"}));
    EXPECT_EQ(form->windowTitle(), "Kelvaro Fennwick v.0.4b checke: b.de/ Nr.:1 / 1");
    // Without a keyword list the page shown stays.
    EXPECT_EQ(child<QTabWidget>("PageControl1")->currentIndex(), 1);
}

TEST_F(SeoDataCheck, PiWikAPIStaysSelectedAlongsideAKeywordList) {
    auto *piwikApi = child<QRadioButton>("PiWikAPI");
    QTest::mouseClick(piwikApi, Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>("xovi_kw"), Qt::LeftButton);
    QTest::mouseClick(piwikApi, Qt::LeftButton);
    EXPECT_TRUE(piwikApi->isChecked());
    EXPECT_TRUE(child<QRadioButton>("xovi_kw")->isChecked());
}

} // namespace
} // namespace xovi_test
