#pragma once

#include <QStringList>
#include <functional>

namespace kf {

struct Session;

namespace xovi {

// The SEO figures of every domain of the project, one after the other: StringGrid3 gets a
// title row, then `seoRankRow` adds a row for each domain it can fetch (it reads SiteName). The
// caption and the progress show where the walk is; a pause of a second follows each domain, the
// window working on. "Abbrechen" stops the walk before its next domain.
void CheckSeoData(Session &session, const QStringList &domains,
                  const std::function<void()> &seoRankRow, int pauseMs = 1000);

} // namespace xovi
} // namespace kf
