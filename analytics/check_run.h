#pragma once

namespace kf {

struct Workspace;

namespace analytics {

// "Check" of the panel "Auswahl": resets the report grids and walks the selected sites.
class CheckRun {
public:
    explicit CheckRun(Workspace &ws) : ws_(ws) {}
    void run();

private:
    Workspace &ws_;
};

} // namespace analytics
} // namespace kf
