#pragma once

// A stand-in for the keyword side of the XOVI SEO API: the credit state and the all / new /
// lost keyword lists of the domains in a data set, as XML shaped like the service's (one
// declaration, LF line ends, two-blank indentation, request echo and extra fields besides the
// ones the program reads). Serves the demo mode and the tests.

#include "sandbox/loopback_service.h"

#include <cstddef>
#include <string>
#include <vector>

namespace sandbox::xovi {

struct Keyword {
    std::string keyword;
    int position = 0; // for a lost keyword: its last position
    std::string url;  // the ranking page
    int searchVolume = 0;
    double cpc = 0;         // euro per click
    double competition = 0; // 0 to 1
};

// What one search engine shows for a domain.
struct EngineKeywords {
    std::string engine; // the "sengine" text, e.g. "google.de"
    std::vector<Keyword> ranking;
    std::vector<Keyword> gained;
    std::vector<Keyword> lost;
};

struct DomainKeywords {
    std::string domain; // as the service keeps it: host without a scheme
    std::vector<EngineKeywords> engines;
};

struct KeywordDataSet {
    std::string key; // the one key the service accepts; empty: every key that is not empty
    long creditsLeft = 0;
    long creditsUsed = 0;
    std::string date = "2013-05-06"; // the day of the rankings
    std::vector<DomainKeywords> domains;
};

// XOVI's numeric ids of the engines the program offers; 0 for any other text.
int engineId(const std::string &engine);

// Answers GET requests to any path ending in "index.php": "user" / "getcreditstate" and "seo" /
// "getKeywords", "getnewKeywords", "getLostKeywords". A wrong key, an unknown engine or a
// missing parameter gets the service's error reply (HTTP 200); an unknown domain an empty list.
// Other services and methods are left to other handlers.
Handler keywordService(KeywordDataSet data);

// The replies themselves, for benchmarks and for tests that want them whole.
std::string creditStateXml(const KeywordDataSet &data);
std::string errorXml(int code, const std::string &message);
// kind: "getKeywords", "getnewKeywords" or "getLostKeywords"; at most `limit` entries.
std::string keywordsXml(const std::string &method, const std::string &domain,
                        const EngineKeywords &engine, std::size_t limit,
                        const std::string &date = "2013-05-06");

// The demo project's domains (sandbox/demo_data.h) with a few hundred keywords over google.de,
// google.at and google.ch, the same on every run: the nursery ranks with the pages of its
// sitemap and for every watched keyword, the furniture store and the dental practice with
// pages of their own.
KeywordDataSet sampleKeywordData(const std::string &key = "demo-xovi-key");

// `count` generated keywords for one domain, for benchmarks and large tests.
std::vector<Keyword> generatedKeywords(const std::string &domain, std::size_t count,
                                       unsigned seed = 1);

} // namespace sandbox::xovi
