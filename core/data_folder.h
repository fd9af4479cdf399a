#pragma once

#include <QString>

namespace kf {

// Data paths are AppFolder followed by a relative path written with backslashes, such as
// "accounts\\account.txt"; the backslashes become the platform's separators.
QString dataPath(const QString &appFolder, const QString &relative);

// Creates the last level of the folder only, as the program always does; a failure is silent
// (the save into it reports it).
void createFolder(const QString &path);
bool fileExists(const QString &path);
bool folderExists(const QString &path);

// The data folder, created when missing, with a trailing separator: the one --data-dir names,
// else the one KELVARO_DATA_DIR names, else the folder of the running program, unless that
// cannot be written or belongs to an installed program: then the user's data folder.
QString chooseAppFolder(const QStringList &arguments);
// The same choice without creating anything (--help names it).
QString dataFolderInUse(const QStringList &arguments);
// The choice for a program that lies in `programFolder`.
QString dataFolderFor(const QStringList &arguments, const QString &programFolder);

// The user's data folder of an installed program: AppDataLocation of the application "kelvaro",
// whichever of the programs asks, so that the window and the batch program share it.
QString userDataFolder();
// A program lies in an installed tree when its folder's ../share/applications holds the
// desktop entry; such a folder is never the data folder, even for root, who could write it.
bool isInstalledProgramFolder(const QString &programFolder);
QString withTrailingSeparator(const QString &folder);

} // namespace kf
