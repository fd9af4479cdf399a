#pragma once

// The XML sitemap of the demo's main domain, served by the web stand-in at demo::kSitemapPath.
// It lists most ranking pages and some pages that rank for nothing, so that the comparison of
// the sitemap with the keyword list finds both kinds. The site publishes the same pages the
// way a content system does, too: its robots.txt names a sitemap index, whose two child
// sitemaps hold the ranking pages and, gzip-compressed, the guide pages that rank for nothing.

#include "sandbox/loopback_service.h"

#include <string>

namespace sandbox::demo {

std::string sitemapXml();
Handler sitemapHandler();

} // namespace sandbox::demo
