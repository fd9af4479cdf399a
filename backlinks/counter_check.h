#pragma once

#include <QString>

#include <optional>

namespace kf {

class LongRun;
struct Workspace;

namespace backlinks {

class BacklinkFetch;
class LinkDetails;

// "Gegenprobe": fetches every page of column 1 of StringGrid5 and tells in a new last column
// whether it still mentions the domain text of Edit44; the pages that do go to the found file,
// and what each page showed of its link to the details report beside it.
class CounterCheck {
public:
    CounterCheck(Workspace &ws, const BacklinkFetch &lastFetch) : ws_(ws), lastFetch_(lastFetch) {}

    void run();

    // Time the last run spent in its pauses between pages, as the clock measured it.
    qint64 pausedNs() const { return pausedNs_; }

private:
    // One list line: its verdict, its row of the details (an address only), and the line into
    // Memo1 when the page mentions the domain. Nothing when a cancel gave the page's fetch up.
    std::optional<QString> checkPage(const QString &address, const QString &domain,
                                     LinkDetails *details, const LongRun &run);

    Workspace &ws_;
    const BacklinkFetch &lastFetch_;
    qint64 pausedNs_ = 0;
};

} // namespace backlinks
} // namespace kf
