#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace kf::analytics {

// The figures of each analytics report, read from its reply by element name (reply_rows.h).
// Every value is the text the reply holds, entities as written.

// One referrer row (referrer kinds, keywords, websites), the same for every period.
struct ReferrerRow {
    QString label;    // "Quelle"
    QString visitors; // "Besucher": unique visitors, or the daily ones summed over the period
    QString visits, actions, maxActions, duration, bounces;
};
QList<ReferrerRow> referrerRows(const QString &reply);

struct LiveCounters {
    QString visits, actions, visitors;
};
// The single row's counters; empty texts for a reply without one.
LiveCounters liveCounters(const QString &reply);

// The ranks shown under "Google Pagerank", "Index-Google", "Index-Bing" and "Alexa-Rank".
using SeoRanks = std::array<QString, 4>;
SeoRanks seoRanks(const QString &reply);

struct SiteRecord {
    QString id, mainUrl;
};
QList<SiteRecord> siteRecords(const QString &reply);

// Every entry page address, those of folders' subtables included.
QStringList entryPageUrls(const QString &reply);

} // namespace kf::analytics
