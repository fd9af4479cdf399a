#include "projects/project_lists.h"

#include "core/data_folder.h"
#include "core/workspace.h"
#include "text/error.h"
#include "text/text_file.h"
#include "widgets/list_tools.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace kf::projects {

namespace {

QStringList itemsOf(const QComboBox *combo) {
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QStringList itemsOf(const QListWidget *list) {
    QStringList items;
    items.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

// Appending to an editable combo may make the new item current, which would rewrite the text
// the operator typed; the text stays exactly as it was.
void appendProject(QComboBox *projects) {
    const QString typed = projects->currentText();
    projects->addItem(typed);
    RemoveDuplicates(projects);
    if (projects->currentText() != typed)
        projects->setEditText(typed);
}

void ensureFolder(const QString &path) {
    if (!folderExists(path))
        createFolder(path);
}

} // namespace

void saveProjectList(Workspace &ws) {
    ensureFolder(ws.path(QStringLiteral("reporting")));
    textfile::writeLines(ws.path(QStringLiteral("reporting\\projekte.txt")),
                         itemsOf(ws.ui.Projekte));
}

void ProjectLists::projectChanged() {
    const QString project = ws_.ui.Projekte->currentText();
    if (!isFolderName(project))
        return;
    const QString file = domainListPath(ws_, project);
    if (!fileExists(file))
        return; // the domains shown stay
    const QStringList domains = textfile::readLines(file);
    ws_.ui.ListBox2->clear();
    ws_.ui.ListBox2->addItems(domains);
}

void ProjectLists::projectEntered() {
    appendProject(ws_.ui.Projekte);
    saveProjectList(ws_);
}

void ProjectLists::domainEntered() {
    const Controls &ui = ws_.ui;
    appendProject(ui.Projekte);
    ui.ListBox2->addItem(ui.Edit2->text());
    RemoveDuplicates(ui.ListBox2);

    const QString project = ui.Projekte->currentText();
    saveProjectList(ws_);
    const QString file = domainListPath(ws_, project);
    // A name that cannot be a folder never reaches the file system: it could name a folder
    // outside the project's own.
    if (!isFolderName(project))
        throw Error(textfile::cannotCreateText(
            file, QStringLiteral("The filename, directory name, or volume label syntax is "
                                 "incorrect.")));
    if (!project.isEmpty())
        ensureFolder(ws_.path(QStringLiteral("reporting\\")) + project);
    textfile::writeLines(file, itemsOf(ui.ListBox2));
}

} // namespace kf::projects
