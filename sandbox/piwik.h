#pragma once

// The analytics stand-in: a Piwik server's HTTP API as the program uses it
// (SitesManager.getAllSites and the six per-site reports), with replies shaped like today's
// server's XML (or, on request, a classic server's) and its token check. Figures are made up but
// deterministic: the same site, period and date always give the same reply.

#include "sandbox/loopback_service.h"
#include "sandbox/piwik_xml.h"

#include <string>
#include <vector>

namespace sandbox::piwik {

struct Site {
    int id = 0;
    std::string name;
    std::string mainUrl;
    int visitsPerDay = 100;            // scale of every figure of the site
    std::vector<std::string> keywords; // search keywords that bring visitors
    std::vector<std::string> websites; // referring hosts
    std::vector<std::string> pages;    // entry page paths ("/", "rosen/kletterrosen.html")
};

struct Data {
    std::string token; // the one token_auth the server accepts
    Shape shape = Shape::Today;
    std::vector<Site> sites;
};

// The demo agency's sites (sandbox/demo_data.h) with their keywords, referrers and pages.
Data demoData();

// Answers ".../index.php?module=API&method=...&format=xml" (GET, or POST with a form body);
// other paths are left to the next handler.
Handler handler(Data data);

// The exact reply of the server to one request: its XML error reply for a wrong token, an
// unknown site or method, or a missing or wrong period or date.
std::string reply(const Data &data, const Request &request);

} // namespace sandbox::piwik
