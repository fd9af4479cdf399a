#pragma once

// The real main window in a fresh data folder, its XOVI endpoint pointed at a trusted HTTPS
// stand-in that answers from a small keyword data set.

#include "core/date_formats.h"
#include "sandbox/xovi_keywords.h"
#include "tests/support/gui_helpers.h"
#include "tests/support/trusted_standin.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace xovi_test {

using namespace testing_gui;
namespace sx = sandbox::xovi;

inline sx::Keyword keyword(const std::string &text, int position, const std::string &url) {
    return sx::Keyword{text, position, url, 880, 1.25, 0.4};
}

// Two ranking pages of a garden furniture shop on google.de, one gained, one lost.
inline sx::KeywordDataSet smallDataSet() {
    sx::EngineKeywords de{"google.de",
                          {keyword("gartenmöbel", 3, "http://www.garten.de/moebel/"),
                           keyword("tisch & stühle", 17, "http://www.garten.de/tische/")},
                          {keyword("loungemöbel holz", 8, "http://www.garten.de/lounge/")},
                          {keyword("strandkorb", 41, "http://www.garten.de/strand/")}};
    return sx::KeywordDataSet{"schlüssel 1", 48250, 1750, "2013-05-06", {{"www.garten.de", {de}}}};
}

class XoviWindow : public ::testing::Test {
protected:
    void SetUp() override {
        kf::DateFormats::resetToSystem();
        qputenv("KELVARO_XOVI_ENDPOINT", QByteArray::fromStdString(service().base() + "/api/"));
        service().handle(sx::keywordService(smallDataSet()));
        windows = createWindows(folder.root());
        form = windows.form1.get();
        control<QLineEdit>(form, "xovi_api_key")->setText(QStringLiteral("schlüssel 1"));
    }
    void TearDown() override {
        windows = {};
        qunsetenv("KELVARO_XOVI_ENDPOINT");
        kf::DateFormats::resetToSystem();
    }

    sandbox::LoopbackService &service() { return https.service(); }
    template <class T = QObject> T *child(const char *name) { return control<T>(form, name); }

    // Project and domain typed in as the operator does, then the domain selected.
    void addDomain(const QString &domain) {
        child<QComboBox>("Projekte")->setEditText(QStringLiteral("Kunde"));
        child<QLineEdit>("Edit2")->setText(domain);
        QTest::keyClick(child<QLineEdit>("Edit2"), Qt::Key_Return);
    }
    void selectDomain(const QString &domain) {
        auto *list = child<QListWidget>("ListBox2");
        list->clearSelection();
        for (auto *item : list->findItems(domain, Qt::MatchExactly))
            item->setSelected(true);
    }
    void check(const char *radio) {
        child<QRadioButton>(radio)->setChecked(true);
        QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
    }

    // StringGrid3 as rows of cells joined by "|".
    QStringList grid() {
        QObject *g = child("StringGrid3");
        QStringList rows;
        for (int row = 0; row < gridInt(g, "rowCount"); ++row) {
            QStringList cells;
            for (int col = 0; col < gridInt(g, "colCount"); ++col) {
                QString text;
                QMetaObject::invokeMethod(g, "cell", Q_RETURN_ARG(QString, text), Q_ARG(int, col),
                                          Q_ARG(int, row));
                cells << text;
            }
            rows << cells.join(u'|');
        }
        return rows;
    }
    QString lastLine(const char *memo) {
        QObject *m = child(memo);
        return memoLine(m, memoLineCount(m) - 1);
    }

    // Today as the system writes a short date, and as ISO dates after an analytics step.
    static QString systemDate() {
        return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    }
    static QString isoDate() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
    // The report stem of a domain and a date.
    static QString stem(const QString &domain, const QString &date) {
        QString name = domain + date;
        return name.replace(u'.', u'-').replace(u':', u'-').replace(u'/', u'-');
    }

    DataFolder folder;
    TrustedHttpsService https;
    Windows windows;
    TForm1 *form = nullptr;
    MessageCapture messages;
};

} // namespace xovi_test
