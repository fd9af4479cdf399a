#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace kf {

class LongRun;
struct Session;

namespace backlinks {

class BacklinkFetch;
class LinkDetails;

// What a counter-check is asked for: the domain text the pages should mention, and the pause
// before each page in milliseconds, asked anew for every page (the operator may change the pace
// during the run).
struct CounterCheckRequest {
    QString domain;
    std::function<int()> pauseMs;
};

// "Gegenprobe": fetches every page of column 1 of StringGrid5 and tells in a new last column
// whether it still mentions the domain text; the pages that do go to the found file, and what
// each page showed of its link to the details report beside it.
class CounterCheck {
public:
    CounterCheck(Session &ws, const BacklinkFetch &lastFetch) : ws_(ws), lastFetch_(lastFetch) {}

    void run(const CounterCheckRequest &request);

    // Time the last run spent in its pauses between pages, as the clock measured it.
    qint64 pausedNs() const { return pausedNs_; }

private:
    // One list line: its verdict, its row of the details (an address only), and the line into
    // Memo1 when the page mentions the domain. Nothing when a cancel gave the page's fetch up.
    std::optional<QString> checkPage(const QString &address, const QString &domain,
                                     LinkDetails *details, const LongRun &run);

    Session &ws_;
    const BacklinkFetch &lastFetch_;
    qint64 pausedNs_ = 0;
};

} // namespace backlinks
} // namespace kf
