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

// The folder of the running program, or the one --data-dir or KELVARO_DATA_DIR names (created
// when missing), with a trailing separator.
QString chooseAppFolder(const QStringList &arguments);
QString withTrailingSeparator(const QString &folder);

} // namespace kf
