#include "core/run_lock.h"

#include "core/data_folder.h"

#include <QDir>

namespace kf {

RunLock::RunLock(const QString &appFolder, const QString &name)
    : path_(dataPath(appFolder, QStringLiteral("kelvaro-batch-") + name + QStringLiteral(".lock"))),
      name_(name), lock_(std::make_unique<QLockFile>(path_)) {
    // A lock is never stale by age alone: a weekly report may well run for hours.
    lock_->setStaleLockTime(0);
}

bool RunLock::acquire(QString *why) {
    if (lock_->tryLock(0))
        return true;
    qint64 pid = 0;
    QString host, application;
    if (lock_->error() == QLockFile::LockFailedError &&
        lock_->getLockInfo(&pid, &host, &application)) {
        *why = QStringLiteral("Der Auftrag \"%1\" läuft bereits für diesen Datenordner "
                              "(Prozess %2, Sperrdatei %3).")
                   .arg(name_)
                   .arg(pid)
                   .arg(QDir::toNativeSeparators(path_));
    } else {
        *why = QStringLiteral("Die Sperrdatei %1 konnte nicht angelegt werden.")
                   .arg(QDir::toNativeSeparators(path_));
    }
    return false;
}

} // namespace kf
