#pragma once

// "--demo": the program runs against stand-ins of its services on 127.0.0.1, in a data folder
// of its own that is filled with settings pointing at them, so that a new user without an
// analytics server or SEO contracts sees every road give a result. The window and the command
// line start it alike.

#include "sandbox/demo_services.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

namespace kf::demo {

bool requested(const QStringList &arguments); // "--demo" among the arguments

class DemoSetup {
public:
    // Chooses the demo's data folder (the one --data-dir names, else a fresh one under the
    // user's temporary folder, removed when the demo ends; never KELVARO_DATA_DIR, the
    // operator's own), refuses a folder
    // that already holds account settings (nothing is started or written then, and `refusal`
    // receives the message), starts the stand-ins, fills the folder and points this process's
    // XOVI and SEOkicks endpoints and its extra CA bundle at them.
    // The slow linking page answers after `slowPageMs` (the tests shorten the wait).
    static std::unique_ptr<DemoSetup> start(const QStringList &arguments, QString *refusal,
                                            int slowPageMs = sandbox::kDemoSlowPageMs);
    virtual ~DemoSetup();

    QString appFolder() const { return appFolder_; }
    // A fresh folder stays after the demo (its files are what a run without a window leaves).
    void keepFolder() { ownsFolder_ = false; }
    sandbox::DemoServices &services() { return services_; }
    const sandbox::DemoServices &services() const { return services_; }

protected:
    // The demo's data folder for these arguments; empty, with `refusal` set, when it may not be
    // used. `made` tells whether it is a fresh one of the demo's own.
    static QString chooseDataFolder(const QStringList &arguments, QString *refusal, bool *made);
    // Starts the stand-ins, fills the folder and points the environment at them.
    DemoSetup(const QString &appFolder, int slowPageMs, bool ownsFolder);

private:
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
