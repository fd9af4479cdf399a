#pragma once

// The sitemap crawler window against a loopback web stand-in: the pages a test serves, the
// controls it clicks and what the window shows afterwards.

#include "sandbox/loopback_service.h"
#include "tests/support/gui_helpers.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace testing_sitemap {

using sandbox::Reply;
using sandbox::Request;
using namespace testing_gui;

class Crawler : public ::testing::Test {
protected:
    // A later page for the same path wins over an earlier one.
    void serve(const std::string &path, const Reply &reply) {
        service.prepend([path, reply](const Request &r) -> std::optional<Reply> {
            if (r.path != path)
                return std::nullopt;
            return reply;
        });
    }
    void serveXml(const std::string &path, const std::string &body) {
        serve(path, Reply::make(200, body, "application/xml"));
    }
    QString url(const std::string &path) const {
        return QString::fromStdString(service.base() + path);
    }

    void extract(const QString &address, bool followIndex = false) {
        edit->setText(address);
        control<QCheckBox>(crawler, "CheckBox1")->setChecked(followIndex);
        QTest::mouseClick(control<QPushButton>(crawler, "Button1"), Qt::LeftButton);
    }
    QStringList collected() const {
        QStringList lines;
        for (int i = 0; i < memoLineCount(memo); ++i)
            lines << memoLine(memo, i);
        return lines;
    }
    QString caption() const { return w.form1->windowTitle(); }
    QString status() const { return statusBar->currentMessage(); }

    sandbox::LoopbackService service;
    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm2 *crawler = w.form2.get();
    QLineEdit *edit = control<QLineEdit>(crawler, "Edit1");
    QObject *memo = control(crawler, "Memo1");
    QObject *speich = control(w.form1.get(), "speich");
    QStatusBar *statusBar = control<QStatusBar>(w.form1.get(), "StatusBar1");
};

// A sitemap (urlset of url entries) or an index (sitemapindex of sitemap entries) listing the
// given addresses, LF line ends.
inline std::string sitemapDocument(const std::string &root, const std::string &entry,
                                   const std::vector<std::string> &addresses) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + root +
                      " xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
    for (const std::string &address : addresses)
        xml += "<" + entry + "><loc>" + address + "</loc></" + entry + ">\n";
    return xml + "</" + root + ">\n";
}
inline std::string urlset(const std::vector<std::string> &addresses) {
    return sitemapDocument("urlset", "url", addresses);
}
inline std::string sitemapIndex(const std::vector<std::string> &children) {
    return sitemapDocument("sitemapindex", "sitemap", children);
}

} // namespace testing_sitemap
