#pragma once

// The demo's four stand-in services on 127.0.0.1, each on a free port and a thread of its own:
// the XOVI API (HTTPS, with a certificate made at start), the SEOkicks inlink service, a small
// web (linking pages and the sitemap of the main domain) and the analytics server. The same
// handlers serve the tests, so the demo shows what the tests prove.

#include "sandbox/loopback_service.h"

#include <string>

namespace sandbox {

// How long the demo's slow linking page keeps the counter-check waiting: longer than is
// pleasant, well within the fetch's one-minute stall time-out.
constexpr int kDemoSlowPageMs = 8000;

class DemoServices {
public:
    // Starts the four services with their demo handlers; the slow linking page answers after
    // `slowPageMs` (tests shorten the wait).
    explicit DemoServices(int slowPageMs = kDemoSlowPageMs);
    DemoServices(const DemoServices &) = delete;
    DemoServices &operator=(const DemoServices &) = delete;

    LoopbackService &xovi() { return xovi_; }
    LoopbackService &seokicks() { return seokicks_; }
    LoopbackService &web() { return web_; }
    LoopbackService &analytics() { return analytics_; }

    // What the program is pointed at: the XOVI endpoint ends in a slash ("index.php?key="
    // follows), the SEOkicks endpoint is scheme, host and port without one, and the analytics
    // address ends in a slash as the operator types it.
    std::string xoviEndpoint() const;
    std::string seokicksEndpoint() const;
    std::string analyticsUrl() const;
    std::string sitemapUrl() const;

    // The XOVI service's certificate, to be trusted through KELVARO_CA_FILE.
    const std::string &xoviCertificatePem() const { return xovi_.certificatePem(); }

private:
    LoopbackService xovi_{LoopbackService::Scheme::Https};
    LoopbackService seokicks_;
    LoopbackService web_;
    LoopbackService analytics_;
};

// One function per service puts the demo's handlers on it; the tests call them on services of
// their own and prepend special replies where they need one. The backlink lists name pages
// below `webBase`, the web service's base.
void installXoviHandlers(LoopbackService &service, const std::string &webBase);
void installSeokicksHandlers(LoopbackService &service, const std::string &webBase);
void installWebHandlers(LoopbackService &service, int slowPageMs);
void installAnalyticsHandlers(LoopbackService &service);

} // namespace sandbox
