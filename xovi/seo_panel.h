#pragma once

#include "core/workspace.h"
#include "xovi/keyword_lists.h"

#include <functional>

namespace kf {

namespace xovi {

// The work behind the panel "SEODaten" and the XOVI menu entries: "Check" runs the SEO-data
// check and the keyword list the radio buttons choose; the hidden Button4 adds the check
// column; the menu entries click them as the operator would.
class SeoPanel {
public:
    // `seoRankRow` appends the SEO figures of the domain in SiteName to StringGrid3.
    SeoPanel(Workspace &ws, std::function<void()> seoRankRow)
        : ws_(ws), lists_(ws), seoRankRow_(std::move(seoRankRow)) {}

    void check();                  // Button3Click
    void compare();                // Button4Click
    void keywordCheck();           // Keywordcheck1Click
    void linkListAgainstRanking(); // LinklisteXoviRanking1Click
    void queryCredits();           // Creditsabfragen1Click

    KeywordLists &lists() { return lists_; }

private:
    void showSeoPage();

    Workspace &ws_;
    KeywordLists lists_;
    std::function<void()> seoRankRow_;
    // Whether the last "Check" ran to its end; a check that failed on saving the project list
    // is not followed by the comparison.
    bool checkCompleted_ = false;
};

} // namespace xovi
} // namespace kf
