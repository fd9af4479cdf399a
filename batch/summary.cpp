#include "batch/summary.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace kf::batch {

namespace {

QString statusName(int exitCode) {
    switch (exitCode) {
    case 0:
        return QStringLiteral("ok");
    case 2:
        return QStringLiteral("bad-arguments");
    case 3:
        return QStringLiteral("stopped");
    default:
        return QStringLiteral("failed");
    }
}

} // namespace

FolderSnapshot::FolderSnapshot(const QString &folder) : folder_(folder), files_(scan(folder)) {}

QHash<QString, QPair<qint64, qint64>> FolderSnapshot::scan(const QString &folder) {
    QHash<QString, QPair<qint64, qint64>> files;
    if (folder.isEmpty())
        return files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files.insert(info.absoluteFilePath(),
                     {info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
    return files;
}

QStringList FolderSnapshot::writtenSince() const {
    QStringList written;
    const auto now = scan(folder_);
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (it.key().endsWith(QLatin1String(".lock")))
            continue;
        const auto before = files_.constFind(it.key());
        if (before == files_.cend() || *before != *it)
            written << QDir::toNativeSeparators(it.key());
    }
    std::sort(written.begin(), written.end());
    return written;
}

QString summaryJson(const Summary &s) {
    QJsonObject object;
    object.insert(QStringLiteral("job"), s.job);
    object.insert(QStringLiteral("status"), statusName(s.exitCode));
    object.insert(QStringLiteral("exitCode"), s.exitCode);
    object.insert(QStringLiteral("dataFolder"), QDir::toNativeSeparators(s.dataFolder));
    object.insert(QStringLiteral("files"), QJsonArray::fromStringList(s.files));
    object.insert(QStringLiteral("rows"), s.rows);
    object.insert(QStringLiteral("failures"), QJsonArray::fromStringList(s.failures));
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

QString summaryText(const Summary &s) {
    QString text;
    for (const QString &file : s.files)
        text += QStringLiteral("Datei geschrieben: ") + file + u'\n';
    for (const QString &failure : s.failures)
        text += QStringLiteral("Fehler: ") + failure + u'\n';
    const QString rows = QStringLiteral("%1 Zeilen").arg(s.rows);
    switch (s.exitCode) {
    case 0:
        text += QStringLiteral("Fertig: %1, Dateien: %2.\n").arg(rows).arg(s.files.size());
        break;
    case 3:
        text += QStringLiteral("Abgebrochen: %1, Dateien: %2.\n").arg(rows).arg(s.files.size());
        break;
    default:
        text += QStringLiteral("Fehlgeschlagen: %1, Dateien: %2.\n").arg(rows).arg(s.files.size());
    }
    return text;
}

} // namespace kf::batch
