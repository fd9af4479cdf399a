#pragma once

// "--demo": the program runs against stand-ins of its services on 127.0.0.1, in a data folder
// of its own that is filled with settings pointing at them, so that a new user without an
// analytics server or SEO contracts sees every road give a result.

#include "sandbox/demo_services.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

struct Windows;

namespace kf::demo {

bool requested(const QStringList &arguments); // "--demo" among the arguments

class DemoMode {
public:
    // Chooses the demo's data folder (the one --data-dir names, else a fresh one under the
    // user's temporary folder, removed when the demo ends; never KELVARO_DATA_DIR, the
    // operator's own), refuses a folder
    // that already holds account settings (nothing is started or written then, and `refusal`
    // receives the message), starts the stand-ins, fills the folder and points this process's
    // XOVI and SEOkicks endpoints and its extra CA bundle at them.
    // The slow linking page answers after `slowPageMs` (the tests shorten the wait).
    static std::unique_ptr<DemoMode> start(const QStringList &arguments, QString *refusal,
                                           int slowPageMs = sandbox::kDemoSlowPageMs);
    ~DemoMode();

    QString appFolder() const { return appFolder_; }
    sandbox::DemoServices &services() { return services_; }

    // The windows say that they show a demo, and open on its project with the main domain
    // selected, its watched keywords selected on the last whole year, and the sitemap.
    void markWindows(Windows &windows) const;

    // "--demo-report NAME" runs one report the way the operator would and shows it: "keywords"
    // (all keywords of the main domain, tab "SEO") or "trend" (the watched keywords over the
    // year, tab "Diagramm"). For the README's pictures, with --screenshot.
    static QString reportRequested(const QStringList &arguments);
    void showReport(Windows &windows, const QString &name) const;

private:
    DemoMode(const QString &appFolder, int slowPageMs);
    void fillDataFolder() const;
    void pointEnvironment();

    QString appFolder_;
    bool ownsFolder_ = false; // made by the demo under the temporary folder: removed at its end
    sandbox::DemoServices services_;
    QTemporaryDir caDir_; // the CA bundle lives as long as the demo
    // What the three variables held before the demo set them (null: not set).
    std::vector<std::pair<const char *, QByteArray>> previousEnvironment_;
};

// The text shown when a --data-dir folder already holds account settings.
QString refusalText(const QString &appFolder);
// The line the overview memo shows in a demo.
QString bannerText(const QString &appFolder);

} // namespace kf::demo
