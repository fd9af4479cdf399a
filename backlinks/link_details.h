#pragma once

#include "backlinks/link_classifier.h"

#include <QDate>
#include <QMutex>
#include <QThreadPool>

#include <vector>

namespace kf::backlinks {

// What the heading of the details report says about the run.
struct DetailsHeading {
    QString domain;    // the domain text checked
    QString source;    // "XOVI", "SEOkicks", or "" when the list came from no fetch
    QDate date;        // the day of the run
    int checked = 0;   // addresses checked
    int addresses = 0; // addresses in the list
    bool cancelled = false;
};

// The counter-check's details report, one row per address checked: address; HTTP status or
// failure text; redirect target; link "ja"/"nein"; rel; anchor text; noindex "ja"/"nein";
// verdict. Each page is read on a worker thread while the run goes on (its pause, the next
// fetch), so that reading a large page never holds up the window.
class LinkDetails {
public:
    static constexpr int kColumns = 8;

    explicit LinkDetails(const QString &domain);
    ~LinkDetails();
    LinkDetails(const LinkDetails &) = delete;
    LinkDetails &operator=(const LinkDetails &) = delete;

    // Queues the page's row; rows keep the order in which pages are added.
    void add(const PageReply &reply);
    int rows() const { return int(rows_.size()); }

    // Waits for the pages still being read, then writes `stem` + ".csv" (UTF-8 with a byte-order
    // mark, a header row) and `stem` + ".html" (a whole document: heading, table, legend). Its
    // folder must exist; file errors propagate.
    void save(const QString &stem, const DetailsHeading &heading);

private:
    struct Row {
        PageReply reply;
        LinkFindings findings;
    };

    QString domain_;
    std::vector<Row> rows_;
    QMutex mutex_; // guards the findings the worker writes
    QThreadPool worker_;
};

} // namespace kf::backlinks
