#pragma once

#include "batch/options.h"
#include "core/account_file.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace kf {

struct Session;

namespace batch {

// What a job tells besides the files it wrote: the rows of its result.
struct JobResult {
    int rows = 0;
};

// A job's failure before anything was fetched or written: its arguments do not fit the data
// folder (exit status 2).
struct BadArguments {
    QString text;
};

// Runs one job on the session. `stopRequested` is asked between steps. Errors propagate (as
// kf::Error, or BadArguments before anything is fetched or written).
JobResult runJob(const Options &options, Session &session, const AccountSettings &account,
                 const std::function<bool()> &stopRequested);

} // namespace batch
} // namespace kf
