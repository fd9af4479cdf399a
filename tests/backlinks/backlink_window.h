#pragma once

// The real main window in a fresh data folder, with an HTTPS XOVI stand-in, an HTTP SEOkicks
// stand-in and a small web of linking pages, all on loopback and started by the test.

#include "core/date_formats.h"
#include "sandbox/seokicks.h"
#include "sandbox/web_pages.h"
#include "sandbox/xovi_backlinks.h"
#include "tests/support/gui_helpers.h"
#include "tests/support/trusted_standin.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

// A stand-in that gives every request the same body, as a test writes it.
inline sandbox::Handler replyAlways(std::string body,
                                    std::string type = "text/xml; charset=utf-8") {
    return [body, type](const sandbox::Request &) -> std::optional<sandbox::Reply> {
        return sandbox::Reply::make(200, body, type);
    };
}

class BacklinkWindow : public ::testing::Test {
protected:
    static constexpr const char *kKey = "xovi-key-7";
    static constexpr const char *kAppid = "kicks-9";

    void SetUp() override {
        kf::DateFormats::useIsoDates(); // report names carry the date as yyyymmdd
        qputenv("KELVARO_XOVI_ENDPOINT", (xovi.service().base() + "/api/").c_str());
        qputenv("KELVARO_SEOKICKS_ENDPOINT", seokicksService.base().c_str());
        windows = createWindows(data.root());
        form = windows.form1.get();
        edit("xovi_api_key")->setText(kKey);
        edit("seokicksapi")->setText(kAppid);
        stem = "httpwwwexamplecom_" + QDate::currentDate().toString("yyyyMMdd");
    }
    void TearDown() override {
        windows = {};
        qunsetenv("KELVARO_XOVI_ENDPOINT");
        qunsetenv("KELVARO_SEOKICKS_ENDPOINT");
        kf::DateFormats::resetToSystem();
    }

    QLineEdit *edit(const char *name) { return testing_gui::control<QLineEdit>(form, name); }
    QObject *grid() { return testing_gui::control(form, "StringGrid5"); }
    QString cell(int col, int row) {
        QString out;
        QMetaObject::invokeMethod(grid(), "cell", Q_RETURN_ARG(QString, out), Q_ARG(int, col),
                                  Q_ARG(int, row));
        return out;
    }
    int rows() { return testing_gui::gridInt(grid(), "rowCount"); }
    int cols() { return testing_gui::gridInt(grid(), "colCount"); }
    QString shownPage(const char *pageControl) {
        return testing_gui::control<QTabWidget>(form, pageControl)->currentWidget()->objectName();
    }

    void fetchFrom(const char *radio) {
        testing_gui::control<QRadioButton>(form, radio)->setChecked(true);
        QTest::mouseClick(testing_gui::control<QPushButton>(form, "Button99"), Qt::LeftButton);
    }
    void counterCheck() {
        QTest::mouseClick(testing_gui::control<QPushButton>(form, "Button6"), Qt::LeftButton);
    }

    // The linking pages of the tests, all on the web stand-in.
    std::string page(const char *path) const { return web.base() + path; }

    testing_gui::DataFolder data;
    testing_gui::MessageCapture boxes;
    testing_gui::TrustedHttpsService xovi;
    sandbox::LoopbackService seokicksService;
    sandbox::LoopbackService web;
    Windows windows;
    TForm1 *form = nullptr;
    QString stem;
};
