#pragma once

#include "backlinks/link_classifier.h"
#include "text/string_grid.h"

namespace kf::backlinks {

// The counter-check's details report, one row per list line: address; HTTP status or failure
// text; redirect target; link "ja"/"nein"; rel; anchor text; noindex "ja"/"nein"; verdict.
class LinkDetails {
public:
    static constexpr int kColumns = 8;

    LinkDetails() : grid_(kColumns, 1) {}

    void add(const PageReply &reply, const LinkFindings &findings);
    int rows() const { return rows_; }
    const StringGrid &grid() const { return grid_; }

    // Writes `stem` + "_details.csv" and `stem` + "_details.html" in the program's CSV and HTML
    // table forms. The stem is the found file's path without ".txt"; its folder must exist.
    // File errors propagate.
    void save(const QString &stem) const;

private:
    StringGrid grid_;
    int rows_ = 0;
};

} // namespace kf::backlinks
