#include "core/data_folder.h"

#include "core/program_id.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
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

QString userDataFolder() {
    // AppDataLocation is GenericDataLocation/<application name> when no organisation is set.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' +
           QLatin1String(kApplicationName);
}

bool isInstalledProgramFolder(const QString &programFolder) {
    return QFileInfo::exists(programFolder + QStringLiteral("/../share/applications/") +
                             QLatin1String(kDesktopId) + QStringLiteral(".desktop"));
}

QString dataFolderFor(const QStringList &arguments, const QString &programFolder) {
    QString folder;
    const int at = arguments.indexOf(QStringLiteral("--data-dir"));
    if (at >= 0 && at + 1 < arguments.size())
        folder = arguments[at + 1];
    else if (!qEnvironmentVariableIsEmpty("KELVARO_DATA_DIR"))
        folder = qEnvironmentVariable("KELVARO_DATA_DIR");
    if (!folder.isEmpty())
        return withTrailingSeparator(QFileInfo(folder).absoluteFilePath());
    const QFileInfo program(programFolder);
    if (program.isDir() && program.isWritable() && !isInstalledProgramFolder(programFolder))
        return withTrailingSeparator(programFolder);
    return withTrailingSeparator(userDataFolder());
}

QString dataFolderInUse(const QStringList &arguments) {
    return dataFolderFor(arguments, QCoreApplication::applicationDirPath());
}

QString chooseAppFolder(const QStringList &arguments) {
    const QString folder = dataFolderInUse(arguments);
    QDir().mkpath(folder);
    return folder;
}

} // namespace kf
