#pragma once

// A stand-in for the SEOkicks inlink service (/SEOkicksService/V1/inlinkData): one <inlink>
// per linking page, with <url>, a CDATA <anchor>, <follow>, <linktype> and <target>.

#include "sandbox/loopback_service.h"
#include "sandbox/xovi_backlinks.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sandbox {

struct SeokicksData {
    std::string appid; // any other appid gets an error reply
    // The inlinks per query, the query exactly as the request names it.
    std::map<std::string, std::vector<Backlink>> links;
    std::function<std::vector<Backlink>(const std::string &query)> otherwise;
};

std::string seokicksReply(const std::string &query, const std::vector<Backlink> &links);

// At most "results" records, when it is a number.
Handler seokicks(SeokicksData data);

} // namespace sandbox
