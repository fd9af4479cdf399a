#pragma once

#include <functional>

namespace kf {

struct Workspace;

namespace xovi {

// The SEO figures of every domain of the project, one after the other: StringGrid3 gets a
// title row, then `seoRankRow` adds a row for each domain it can fetch (it reads SiteName). The
// caption and the status bar show the progress; a pause of a second follows each domain, the
// window working on. "Abbrechen" stops the walk before its next domain.
void CheckSeoData(Workspace &ws, const std::function<void()> &seoRankRow);

} // namespace xovi
} // namespace kf
