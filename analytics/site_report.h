#pragma once

namespace kf {

struct Workspace;

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
    Workspace &ws_;
};

} // namespace analytics
} // namespace kf
