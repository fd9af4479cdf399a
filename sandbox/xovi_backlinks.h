#pragma once

// A stand-in for XOVI's backlink method (service "links", method "getbacklinks"): one
// <backlink> record per linking page, its <linkingUrl> first and the anchor text next.

#include "sandbox/loopback_service.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sandbox {

struct Backlink {
    std::string linkingUrl;
    std::string anchorText;
    std::string targetUrl;
    bool follow = true;
};

struct XoviBacklinkData {
    std::string key; // any other key gets an error reply
    // The backlinks per domain, the domain exactly as the request names it.
    std::map<std::string, std::vector<Backlink>> links;
    // Asked for a domain not in `links`; without it such a domain has no backlinks.
    std::function<std::vector<Backlink>(const std::string &domain)> otherwise;
};

std::string xoviBacklinkReply(const std::vector<Backlink> &links);

// What a backlink service answers for `domain`: its list in `links`, else what `otherwise`
// makes, cut to `limitText` records when that is a whole number (as both services read it).
std::vector<Backlink>
backlinksFor(const std::map<std::string, std::vector<Backlink>> &links,
             const std::function<std::vector<Backlink>(const std::string &)> &otherwise,
             const std::string &domain, const std::string &limitText);

// At most "limit" records, when the limit is a number.
Handler xoviBacklinks(XoviBacklinkData data);

} // namespace sandbox
