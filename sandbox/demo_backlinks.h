#pragma once

// The demo's backlinks: pages on the web stand-in that link to the project's domains, as the
// XOVI and the SEOkicks stand-ins list them. Most pages of the main domain still name it, some
// have dropped the link or only shout the name, one is gone (404), one has moved (a redirect)
// and one answers only after a long wait, well within the fetch's time-out.

#include "sandbox/loopback_service.h"
#include "sandbox/seokicks.h"
#include "sandbox/web_pages.h"
#include "sandbox/xovi_backlinks.h"

#include <string>
#include <vector>

namespace sandbox::demo {

struct DemoLink {
    LinkingPage page; // its path on the web stand-in, how it answers, the domain it names
    std::string anchor;
    std::string target; // the page it links to
    bool follow = true;
    bool inXovi = true; // the two services do not know quite the same pages
    bool inSeokicks = true;
};
const std::vector<DemoLink> &demoLinks();

// The backlinks one service lists for a domain (the domain as the operator types it, with or
// without "http://", in any letter case); none for a domain outside the project.
enum class Source { Xovi, Seokicks };
std::vector<Backlink> backlinksOf(const std::string &domain, Source source,
                                  const std::string &webBase);

XoviBacklinkData xoviBacklinkData(const std::string &key, const std::string &webBase);
SeokicksData seokicksData(const std::string &appid, const std::string &webBase);
Handler linkingPages(int slowPageMs);

} // namespace sandbox::demo
