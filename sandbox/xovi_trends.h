#pragma once

// A stand-in for XOVI's keyword trend method (service "seo", method "getKeywordTrend"): the
// ranking of a keyword on a date. The value stands on line 24 of the reply's tag-per-line text.

#include "sandbox/loopback_service.h"

#include <functional>
#include <map>
#include <string>

namespace sandbox {

struct TrendData {
    std::string key; // the only key the service accepts; any other gets an error reply
    // positions[keyword][date]; the keyword as the service decodes it ("seo tool")
    std::map<std::string, std::map<std::string, std::string>> positions;
    // Asked for a keyword and date not in `positions`; without it the position is empty.
    std::function<std::string(const std::string &keyword, const std::string &date)> otherwise;
};

std::string trendReply(const std::string &keyword, const std::string &date,
                       const std::string &sengine, const std::string &position);
// The reply to a wrong key.
std::string xoviErrorReply(const std::string &message);

Handler xoviTrends(TrendData data);

// The demo's ranking history, the same on every run: each watched keyword of the main domain
// (sandbox/demo_data.h) follows a course of its own over the years, with seasonal swings and
// weeks outside the top 100 (no position); any other keyword drifts at random. Days after
// today have no position yet.
std::string demoTrendPosition(const std::string &keyword, const std::string &date);
TrendData sampleTrendData(const std::string &key);

} // namespace sandbox
