#pragma once

#include "app/application.h"
#include "core/dialogs.h"
#include "fake_piwik.h"
#include "piwik_replies.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The text block of one referrer row in ueberblick, its label as shown when given.
inline QStringList referrerBlock(const piwik::Referrer &r, const QString &label = {}) {
    auto q = [](const std::string &s) { return QString::fromStdString(s); };
    return {"Quelle: " + (label.isEmpty() ? q(r.label) : label),
            "Besucher: " + q(r.visitors),
            "Besuche: " + q(r.visits),
            "Aktionen: " + q(r.actions),
            "max. Aktionen: " + q(r.maxActions),
            "Aufenthaltsdauer (sek.): " + q(r.duration),
            "Absprünge: " + q(r.bounces),
            " "};
}

// The real main window in a fresh data folder, pointed at a loopback Piwik stand-in.
class AnalyticsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dialogs::setMessageSink([this](const QString &text) { messages.append(text); });
        windows = createWindows(dir.path());
        form = windows.form1.get();
        ASSERT_NE(form, nullptr);
        edit("URL")->setText(piwik.baseUrl());
        edit("Token")->setText(QStringLiteral("secret42"));
        calendar()->setSelectedDate(QDate(2013, 5, 7));
    }

    void TearDown() override {
        windows = {};
        dialogs::setMessageSink({});
    }

    template <class T> T *child(const char *name) const {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no control " << name;
        return found;
    }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    QListWidget *list(const char *name) const { return child<QListWidget>(name); }
    QComboBox *combo(const char *name) const { return child<QComboBox>(name); }
    QCalendarWidget *calendar() const { return child<QCalendarWidget>("MonthCalendar1"); }

    // Menu entries and buttons as the operator uses them.
    void holeIds() { child<QAction>("HoleIds1")->trigger(); }
    void importDomains() { child<QAction>("ImportausPiWik1")->trigger(); }
    void check() { QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton); }
    void chooseKind(const char *radio) { child<QRadioButton>(radio)->setChecked(true); }
    // A check run without selected sites sets the query parts and resets the report grids.
    void prepareRun() {
        list("ListBox1")->clearSelection();
        check();
    }
    // The per-site step for one site, without the run's pause.
    void reportOn(const QString &id, const QString &url) {
        form->workspace().SiteId = id;
        form->workspace().SiteName = url;
        child<QPushButton>("Button2")->click();
    }

    // Grid and memo controls through their invokable methods.
    QString cell(const char *grid, int col, int row) const {
        QString out;
        QMetaObject::invokeMethod(child<QObject>(grid), "cell", Q_RETURN_ARG(QString, out),
                                  Q_ARG(int, col), Q_ARG(int, row));
        return out;
    }
    int intCall(const char *object, const char *method) const {
        int out = -1;
        QMetaObject::invokeMethod(child<QObject>(object), method, Q_RETURN_ARG(int, out));
        return out;
    }
    int rowCount(const char *grid) const { return intCall(grid, "rowCount"); }
    int colCount(const char *grid) const { return intCall(grid, "colCount"); }
    QStringList gridRow(const char *grid, int row) const {
        QStringList out;
        for (int col = 0; col < colCount(grid); ++col)
            out << cell(grid, col, row);
        return out;
    }
    QString memoText(const char *memo) const {
        QString out;
        QMetaObject::invokeMethod(child<QObject>(memo), "text", Q_RETURN_ARG(QString, out));
        return out;
    }
    QStringList memoLines(const char *memo) const {
        QStringList out;
        const int n = intCall(memo, "lineCount");
        for (int i = 0; i < n; ++i) {
            QString line;
            QMetaObject::invokeMethod(child<QObject>(memo), "line", Q_RETURN_ARG(QString, line),
                                      Q_ARG(int, i));
            out << line;
        }
        return out;
    }
    bool memoScrollBars(const char *memo) const {
        bool out = false;
        QMetaObject::invokeMethod(child<QObject>(memo), "scrollBars", Q_RETURN_ARG(bool, out));
        return out;
    }
    static QStringList items(const QListWidget *list) {
        QStringList out;
        for (int k = 0; k < list->count(); ++k)
            out << list->item(k)->text();
        return out;
    }

    QString dataFile(const QString &relative) const { return dir.filePath(relative); }
    QByteArray fileBytes(const QString &relative) const {
        QFile f(dataFile(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // The query string of a recorded request, after "/index.php?".
    static QString query(const std::string &target) {
        const QString t = QString::fromStdString(target);
        return t.mid(t.indexOf(u'?') + 1);
    }

    QTemporaryDir dir;
    FakePiwik piwik;
    Windows windows;
    TForm1 *form = nullptr;
    QStringList messages;
};
