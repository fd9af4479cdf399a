#include "analytics/domain_import.h"

#include "core/data_folder.h"
#include "core/workspace.h"
#include "text/text_file.h"

#include <QComboBox>
#include <QListWidget>

namespace kf::analytics {

void importDomainsFromAnalytics(Workspace &ws) {
    QStringList domains;
    domains.reserve(ws.ui.ListBox1->count());
    for (int k = 0; k < ws.ui.ListBox1->count(); ++k)
        domains.append(ws.ui.ListBox1->item(k)->text());
    ws.ui.ListBox2->clear();
    ws.ui.ListBox2->addItems(domains);

    // The save makes its folders first; a folder that cannot be made shows as the save's error.
    const QString project = ws.ui.Projekte->currentText();
    if (!folderExists(ws.path(QStringLiteral("reporting"))))
        createFolder(ws.path(QStringLiteral("reporting")));
    const QString projectFolder = QStringLiteral("reporting\\") + project;
    if (!project.isEmpty() && !folderExists(ws.path(projectFolder)))
        createFolder(ws.path(projectFolder));
    // An empty project name puts the list directly into the reporting folder.
    const QString file = project.isEmpty() ? QStringLiteral("reporting\\domains.txt")
                                           : projectFolder + QStringLiteral("\\domains.txt");
    textfile::writeLines(ws.path(file), domains);
}

} // namespace kf::analytics
