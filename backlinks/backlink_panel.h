#pragma once

#include "backlinks/backlink_fetch.h"
#include "backlinks/counter_check.h"

namespace kf {

struct Workspace;

namespace backlinks {

// The panel "Backlinkchecker": "Check!" and "Gegenprobe" read their requests from its controls
// and show the table when a list is saved.
class BacklinkPanel {
public:
    explicit BacklinkPanel(Workspace &ws);

    void fetch();        // Button99Click
    void counterCheck(); // Button6Click

private:
    void showTable();

    Workspace &ws_;
    BacklinkFetch fetch_;
    CounterCheck counterCheck_;
};

} // namespace backlinks
} // namespace kf
