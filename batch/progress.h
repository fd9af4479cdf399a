#pragma once

#include "core/long_run.h"
#include "core/session.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace kf::batch {

// The caption and progress of the runs on the standard error output: one live line on a
// terminal, plain lines (at most one a second) otherwise.
class Progress : public CaptionDisplay, public RunDisplay {
public:
    Progress();
    ~Progress() override;

    QString caption() const override { return caption_; }
    void setCaption(const QString &caption) override;
    void showRun(int done, int total) override;
    void hideRuns() override;
    // How the last run ended, as the window's foot says it: a line of its own.
    void showEndLine(const QString &line) override;

    // Ends the live line, so that what follows starts on a line of its own.
    void finish();
    // The ending lines the runs left, in order.
    const QStringList &endLines() const { return endLines_; }

private:
    void show(bool now);

    bool terminal_;
    QString caption_;
    int done_ = 0;
    int total_ = 0;
    QString shown_;
    bool liveLine_ = false;
    QElapsedTimer lastShown_;
    QStringList endLines_;
};

} // namespace kf::batch
