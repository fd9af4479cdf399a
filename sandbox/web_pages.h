#pragma once

// A small web of linking pages for the counter-check: pages that mention a domain, that do
// not, that mention it only in another letter case, one that redirects to HTTPS, one that is
// missing (404) and one that never answers within a short time.

#include "sandbox/loopback_service.h"

#include <string>
#include <vector>

namespace sandbox {

struct LinkingPage {
    enum class Kind { Mentions, Silent, OtherCase, Redirects, Missing, NeverAnswers };
    std::string path; // "/blog/post-1.html"
    Kind kind = Kind::Mentions;
    std::string domain; // the domain text the page mentions (or, in upper case, OtherCase)
    std::string title = "Branchenbuch";
};

// An HTML page that links to `domain` (or only names it in upper case, or not at all).
std::string linkingPageHtml(const LinkingPage &page);

// A page that never answers waits `neverMs` before it does.
Handler webPages(std::vector<LinkingPage> pages, int neverMs = 30000);

} // namespace sandbox
