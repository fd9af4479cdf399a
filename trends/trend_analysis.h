#pragma once

#include <QString>
#include <QStringList>

namespace kf {

struct Session;
class LongRun;

namespace trends {

// What a trend analysis is asked for: the domain as the domain list shows it (empty when none is
// selected), the keywords in order, the dates (the Sundays of a year), the XOVI key, and the
// search engine the sample request names.
struct TrendRequest {
    QString domain;
    QStringList keywords;
    QStringList dates;
    QString xoviKey;
    QString sampleEngine;
};

// "Analyse": the ranking of every keyword on every date, one XOVI request each, as one row per
// keyword in StringGrid5.
class TrendAnalysis {
public:
    explicit TrendAnalysis(Session &ws) : ws_(ws) {}

    // False when a request failed (the session's failures say why) or the run was stopped.
    bool run(const TrendRequest &request);

    // Google Germany, named by its country domain in every trend request.
    static const QString kSearchEngine;

private:
    // Rows and columns of the table, one request per keyword and date; a failure or a cancel
    // ends it.
    void fillTable(const QString &domain, const TrendRequest &request, LongRun &run);
    // Fetches one value into row `row`, column `col`.
    void fetchValue(const QString &domain, const QString &keyword, const QString &date, int row,
                    int col, const QString &key);

    Session &ws_;
};

} // namespace trends
} // namespace kf
