#pragma once

namespace kf {

struct Workspace;

namespace analytics {

// The program's copy of the analytics server's sites: StringGrid1, the site file and ListBox1.
class SiteTable {
public:
    explicit SiteTable(Workspace &ws) : ws_(ws) {}

    void fetch();       // "Hole Ids"
    void reload();      // start-up, when the site file exists; errors propagate
    void rebuildList(); // ListBox1 := column 1 of StringGrid1

private:
    Workspace &ws_;
};

} // namespace analytics
} // namespace kf
