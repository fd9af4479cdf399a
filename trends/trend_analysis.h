#pragma once

#include <QString>

namespace kf {

struct Workspace;
class LongRun;

namespace trends {

// "Analyse": the ranking of every selected keyword of kw_analyze on every date of ListBox3, one
// XOVI request each, as one row per keyword in StringGrid5; the chart follows when it ends.
class TrendAnalysis {
public:
    explicit TrendAnalysis(Workspace &ws) : ws_(ws) {}

    void run();

    // Google Germany, named by its country domain in every trend request.
    static const QString kSearchEngine;

private:
    // Rows and columns of the table, one request per keyword and date; a failure or a cancel
    // ends it.
    void fillTable(const QString &domain, LongRun &run);
    // Fetches one value into row `row`, column `col`.
    void fetchValue(const QString &domain, const QString &keyword, const QString &date, int row,
                    int col);
    void appendSampleRequest(const QString &domain);

    Workspace &ws_;
};

} // namespace trends
} // namespace kf
