#pragma once

#include "analytics/label_translation.h"

#include <QString>

namespace kf {

struct Workspace;
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

    // Request URL of the analytics server: address, method path and parameters, token.
    QString apiUrl(const QString &methodAndParams) const;
    // Empties speich, fetches RequestUrl into it and rewrites it tag per line; throws on failure.
    void fetchIntoSpeich();
    void referrerReport(Referrers kind);

    Workspace &ws_;
    LabelTranslation translation_;
};

} // namespace analytics
} // namespace kf
