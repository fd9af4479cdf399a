#include "core/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kf {

QString withTrailingSeparator(const QString &folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

QString dataPath(const QString &appFolder, const QString &relative) {
    QString rel = relative;
    rel.replace(u'\\', u'/');
    QString base = appFolder;
    if (base.endsWith(u'/') && rel.startsWith(u'/'))
        rel.remove(0, 1);
    return base + rel;
}

void createFolder(const QString &path) {
    QDir().mkdir(path);
}

bool fileExists(const QString &path) {
    QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString &path) {
    return QFileInfo(path).isDir();
}

QString chooseAppFolder(const QStringList &arguments) {
    QString folder;
    const int at = arguments.indexOf(QStringLiteral("--data-dir"));
    if (at >= 0 && at + 1 < arguments.size())
        folder = arguments[at + 1];
    else if (!qEnvironmentVariableIsEmpty("KELVARO_DATA_DIR"))
        folder = qEnvironmentVariable("KELVARO_DATA_DIR");
    if (folder.isEmpty())
        return withTrailingSeparator(QCoreApplication::applicationDirPath());
    QDir().mkpath(folder);
    return withTrailingSeparator(QFileInfo(folder).absoluteFilePath());
}

} // namespace kf
