#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace kf {

// One unattended run of a kind per data folder at a time: a lock file with the process id in
// the data folder. A lock whose process has ended is taken over.
class RunLock {
public:
    // The lock of run `name` in `appFolder`; `acquire` takes it.
    RunLock(const QString &appFolder, const QString &name);
    // False, with `why` in German, when another process holds it (or the file cannot be made).
    bool acquire(QString *why);

private:
    QString path_;
    QString name_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace kf
