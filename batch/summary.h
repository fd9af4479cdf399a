#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace kf::batch {

// The files of a folder tree with their size and time of change, to tell which ones a job wrote.
class FolderSnapshot {
public:
    explicit FolderSnapshot(const QString &folder);
    // The files new or changed since the snapshot, sorted, lock files left out.
    QStringList writtenSince() const;

private:
    static QHash<QString, QPair<qint64, qint64>> scan(const QString &folder);
    QString folder_;
    QHash<QString, QPair<qint64, qint64>> files_;
};

// How a job ended, for the summary.
struct Summary {
    QString job;
    QString dataFolder;
    int exitCode = 0;
    QStringList files;
    int rows = 0;
    QStringList failures;
};

// The summary as JSON (--json) or as German lines, one per result.
QString summaryJson(const Summary &summary);
QString summaryText(const Summary &summary);

} // namespace kf::batch
