#include "projects/project_files.h"

#include "core/data_folder.h"
#include "core/session.h"
#include "text/text_file.h"

namespace kf::projects {

bool isFolderName(const QString &project) {
    if (project == QLatin1String(".") || project == QLatin1String(".."))
        return false;
    for (QChar c : project)
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    return true;
}

QString domainListPath(const Session &ws, const QString &project) {
    const QString reporting = ws.path(QStringLiteral("reporting"));
    return project.isEmpty() ? reporting + QStringLiteral("/domains.txt")
                             : reporting + u'/' + project + QStringLiteral("/domains.txt");
}

QStringList projectDomains(const Session &ws, const QString &project) {
    const QString file = domainListPath(ws, project);
    if (!isFolderName(project) || !fileExists(file))
        return {};
    return textfile::readLines(file);
}

} // namespace kf::projects
