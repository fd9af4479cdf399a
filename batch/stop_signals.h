#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace kf::batch {

// SIGINT and SIGTERM as the window's "Abbrechen": the signal is noted at once and `onStop` runs
// at the next turn of the event loop (during a pause or a fetch's wait), so the run ends before
// its next step and writes what was done.
class StopSignals : public QObject {
public:
    explicit StopSignals(std::function<void()> onStop);
    ~StopSignals() override;

    bool requested() const;

private:
    QSocketNotifier *notifier_ = nullptr;
    std::function<void()> onStop_;
};

} // namespace kf::batch
