#include "sandbox/demo_services.h"

#include "sandbox/demo_backlinks.h"
#include "sandbox/demo_data.h"
#include "sandbox/demo_sitemap.h"
#include "sandbox/piwik.h"
#include "sandbox/seokicks.h"
#include "sandbox/xovi_backlinks.h"
#include "sandbox/xovi_keywords.h"
#include "sandbox/xovi_trends.h"

namespace sandbox {

void installXoviHandlers(LoopbackService &service, const std::string &webBase) {
    service.handle(xovi::keywordService(xovi::sampleKeywordData(demo::kXoviKey)));
    service.handle(xoviTrends(sampleTrendData(demo::kXoviKey)));
    service.handle(xoviBacklinks(demo::xoviBacklinkData(demo::kXoviKey, webBase)));
}

void installSeokicksHandlers(LoopbackService &service, const std::string &webBase) {
    service.handle(seokicks(demo::seokicksData(demo::kSeokicksKey, webBase)));
}

void installWebHandlers(LoopbackService &service, int slowPageMs) {
    service.handle(demo::sitemapHandler());
    service.handle(demo::linkingPages(slowPageMs));
}

void installAnalyticsHandlers(LoopbackService &service) {
    service.handle(piwik::handler(piwik::demoData()));
}

DemoServices::DemoServices(int slowPageMs) {
    installXoviHandlers(xovi_, web_.base());
    installSeokicksHandlers(seokicks_, web_.base());
    installWebHandlers(web_, slowPageMs);
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
