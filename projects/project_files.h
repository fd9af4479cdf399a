#pragma once

#include <QString>
#include <QStringList>

namespace kf {

struct Session;

namespace projects {

// A project name can stand for one folder below reporting: no path separator, none of the
// characters Windows refuses in file names (the data folder travels between systems), no
// control character, and not "." or "..". The empty name is the reporting folder itself.
bool isFolderName(const QString &project);

// The file of a project's domains: reporting\<project>\domains.txt (the empty project keeps its
// list directly in the reporting folder).
QString domainListPath(const Session &session, const QString &project);

// The domains of a project as its file holds them; no file, no domains.
QStringList projectDomains(const Session &session, const QString &project);

} // namespace projects
} // namespace kf
