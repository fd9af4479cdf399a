#include "analytics/report_replies.h"

#include "analytics/reply_rows.h"

namespace kf::analytics {

QList<ReferrerRow> referrerRows(const QString &reply) {
    enum { Label, Uniq, DailyUniq, Visits, Actions, MaxActions, Length, Bounces };
    static const QStringList wanted{QStringLiteral("label"),
                                    QStringLiteral("nb_uniq_visitors"),
                                    QStringLiteral("sum_daily_nb_uniq_visitors"),
                                    QStringLiteral("nb_visits"),
                                    QStringLiteral("nb_actions"),
                                    QStringLiteral("max_actions"),
                                    QStringLiteral("sum_visit_length"),
                                    QStringLiteral("bounce_count")};
    QList<ReferrerRow> out;
    for (const ReplyRow &row : readReplyRows(reply, wanted).rows) {
        if (!row.has(Label))
            continue; // no referrer named, nothing to show
        const QStringList &v = row.values;
        // Rows summed over several days have no unique visitors, at most their daily sum.
        const QString visitors = row.has(Uniq) ? v[Uniq] : v[DailyUniq];
        out.append(
            {v[Label], visitors, v[Visits], v[Actions], v[MaxActions], v[Length], v[Bounces]});
    }
    return out;
}

LiveCounters liveCounters(const QString &reply) {
    static const QStringList wanted{QStringLiteral("visits"), QStringLiteral("actions"),
                                    QStringLiteral("visitors")};
    const QList<ReplyRow> rows = readReplyRows(reply, wanted).rows;
    if (rows.isEmpty())
        return {};
    const QStringList &v = rows.first().values;
    return {v[0], v[1], v[2]};
}

SeoRanks seoRanks(const QString &reply) {
    static const QStringList wanted{QStringLiteral("rank"), QStringLiteral("id")};
    // The columns in the order of the rows of a classic reply, by the ids its rows carry.
    static const QStringList columnIds{QStringLiteral("pagerank"), QStringLiteral("google-index"),
                                       QStringLiteral("bing-index"), QStringLiteral("alexa")};
    static const QStringList todaysIds{QStringLiteral("google-index"), QStringLiteral("bing-index"),
                                       QStringLiteral("domain-age")};
    const QList<ReplyRow> rows = readReplyRows(reply, wanted).rows;
    bool byId = false;
    for (const ReplyRow &row : rows)
        byId = byId || todaysIds.contains(row.values[1]);

    SeoRanks ranks;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        // Rows with known ids fill the column they name (a service that is gone leaves its
        // column empty); other replies fill the columns in row order.
        const qsizetype column = byId ? columnIds.indexOf(rows[k].values[1]) : k;
        if (column >= 0 && column < qsizetype(ranks.size()))
            ranks[column] = rows[k].values[0];
    }
    return ranks;
}

QList<SiteRecord> siteRecords(const QString &reply) {
    static const QStringList wanted{QStringLiteral("idsite"), QStringLiteral("main_url")};
    QList<SiteRecord> out;
    for (const ReplyRow &row : readReplyRows(reply, wanted).rows)
        if (row.has(0))
            out.append({row.values[0], row.values[1]});
    return out;
}

QStringList entryPageUrls(const QString &reply) {
    return readElementTexts(reply, QStringLiteral("url"));
}

} // namespace kf::analytics
