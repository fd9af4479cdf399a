#pragma once

// The demo as the windows show it: the stand-ins and data folder of DemoSetup, the windows
// opened on the demo's project.

#include "sandbox/demo_setup.h"

struct Windows;

namespace kf::demo {

class DemoMode : public DemoSetup {
public:
    // As DemoSetup::start.
    static std::unique_ptr<DemoMode> start(const QStringList &arguments, QString *refusal,
                                           int slowPageMs = sandbox::kDemoSlowPageMs);

    // The windows say that they show a demo, and open on its project with the main domain
    // selected, its watched keywords selected on the last whole year, and the sitemap.
    void markWindows(Windows &windows) const;

    // "--demo-report NAME" runs one report the way the operator would and shows it: "keywords"
    // (all keywords of the main domain, tab "SEO") or "trend" (the watched keywords over the
    // year, tab "Diagramm"). For the README's pictures, with --screenshot.
    static QString reportRequested(const QStringList &arguments);
    void showReport(Windows &windows, const QString &name) const;

private:
    using DemoSetup::DemoSetup;
};

} // namespace kf::demo
