#pragma once

#include "analytics/label_translation.h"

#include <QString>
#include <functional>

namespace kf {

struct Workspace;
class Memo;
class StringGrid;

namespace analytics {

// The per-site report step (the hidden Button2) and its report builders.
class SiteReport {
public:
    explicit SiteReport(Workspace &ws) : ws_(ws) {}

    void step(); // Button2Click

    void EntryPagesReport();
    void LiveCountersReport();
    void SeoRankRow();
    void ReferrerTypesReport();
    void ReferrerKeywordsReport();
    void ReferrerWebsitesReport();

private:
    enum class Referrers { Types, Keywords, Websites };

    // The frame every builder shares: RequestUrl := address + method path and parameters +
    // token; speich prepared; then, guarded, the fetch into speich, its tag-per-line rewrite and
    // the builder's reading of the reply. Any failure ends the reading silently.
    void request(const QString &methodAndParams,
                 const std::function<void(const QString &reply)> &read);
    void referrerReport(Referrers kind);

    Workspace &ws_;
    LabelTranslation translation_;
};

} // namespace analytics
} // namespace kf
