#include "analytics/label_translation.h"
#include "text/memo.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// What translating the whole text gives, the reference for the incremental translation.
QString translatedWhole(QString text) {
    text.replace("Search Engines", "Suchmaschinen", Qt::CaseInsensitive);
    text.replace("Direct Entry", "Direkt", Qt::CaseInsensitive);
    text.replace("Websites", "Webseiten", Qt::CaseInsensitive);
    return text;
}

// Pieces that form labels, parts of labels and labels across neighbours ("Website" followed
// by "Search Engines" becomes "WebsiteSuchmaschinen", which holds "websiteS").
const QStringList kPieces{"Search Engines",
                          "search engines",
                          "SEARCH",
                          " Engines",
                          "Direct Entry",
                          "direct",
                          " entry",
                          "Websites",
                          "WEBSITES",
                          "Website",
                          "sites",
                          "Web",
                          "s",
                          "x",
                          "Suchmaschinen",
                          "\r",
                          "\n"};

QString randomLine(QRandomGenerator &rng) {
    QString line;
    const int n = rng.bounded(6);
    for (int k = 0; k < n; ++k)
        line += kPieces[rng.bounded(int(kPieces.size()))];
    return line;
}

TEST(LabelTranslation, AfterEveryBlockEqualsTranslatingTheWholeText) {
    QRandomGenerator rng(20130507);
    for (int round = 0; round < 200; ++round) {
        kf::Memo memo;
        kf::analytics::LabelTranslation translation;
        QString reference;
        for (int step = 0; step < 30; ++step) {
            const int action = rng.bounded(10);
            if (action < 6) {
                const QString line = randomLine(rng);
                memo.addLine(line);
                reference = memo.text();
            } else if (action < 9) {
                translation.apply(memo);
                reference = translatedWhole(reference);
                ASSERT_EQ(memo.text(), reference) << "round " << round << " step " << step;
            } else {
                // A rewrite of earlier text (an edit, another report) must be scanned again.
                memo.setText(memo.text() + randomLine(rng));
                reference = memo.text();
            }
        }
    }
}

TEST(LabelTranslation, RescansAfterTheTextWasReplaced) {
    kf::Memo memo;
    kf::analytics::LabelTranslation translation;
    memo.addLine("Direct Entry");
    translation.apply(memo);
    memo.setText("Websites\r\n");
    translation.apply(memo);
    EXPECT_EQ(memo.text(), "Webseiten\r\n");
    memo.clear();
    memo.addLine("x");
    memo.addLine("websites");
    translation.apply(memo);
    EXPECT_EQ(memo.text(), "x\r\nWebseiten\r\n");
}

} // namespace
