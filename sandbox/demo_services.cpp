#include "sandbox/demo_services.h"

#include "sandbox/demo_data.h"
#include "sandbox/demo_sitemap.h"
#include "sandbox/piwik.h"

namespace sandbox {

// The XOVI, SEOkicks and linking-page stand-ins join here, each over its demo sample set built
// from the names of sandbox/demo_data.h:
// TODO(lead, on merging): in installXoviHandlers: the credits and the all / new / lost
//   keywords (sandbox/xovi_keywords.h), getKeywordTrend (sandbox/xovi_trends.h) and
//   getbacklinks (sandbox/xovi_backlinks.h), answering below demo::kXoviApiPath with the key
//   demo::kXoviKey;
// TODO(lead, on merging): in installSeokicksHandlers: inlinkData (sandbox/seokicks.h) with the
//   appid demo::kSeokicksKey;
// TODO(lead, on merging): in installWebHandlers: the linking pages (sandbox/web_pages.h), whose
//   addresses must be on this web service.

void installXoviHandlers(LoopbackService &) {}

void installSeokicksHandlers(LoopbackService &) {}

void installWebHandlers(LoopbackService &service) {
    service.handle(demo::sitemapHandler());
}

void installAnalyticsHandlers(LoopbackService &service) {
    service.handle(piwik::handler(piwik::demoData()));
}

DemoServices::DemoServices() {
    installXoviHandlers(xovi_);
    installSeokicksHandlers(seokicks_);
    installWebHandlers(web_);
    installAnalyticsHandlers(analytics_);
}

std::string DemoServices::xoviEndpoint() const {
    return xovi_.base() + demo::kXoviApiPath;
}

std::string DemoServices::seokicksEndpoint() const {
    return seokicks_.base();
}

std::string DemoServices::analyticsUrl() const {
    return analytics_.base() + "/";
}

std::string DemoServices::sitemapUrl() const {
    return web_.base() + demo::kSitemapPath;
}

} // namespace sandbox
