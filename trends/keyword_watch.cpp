#include "trends/keyword_watch.h"

#include "core/data_folder.h"
#include "core/workspace.h"
#include "text/text_file.h"
#include "trends/trend_files.h"
#include "widgets/list_tools.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace kf::trends {

namespace {

const QString kDomainList = QStringLiteral("reporting\\projekte_kw.txt");

QString keywordFile(const Workspace &ws) {
    return watchedKeywordsFile(ws, ws.ui.Domain_Xovi->currentText());
}

// Both lists live below reporting\xovi\verlauf or beside it: a fresh installation has none of
// these folders, so every save makes them first.
void makeFolders(const Workspace &ws) {
    for (const char *folder : {"reporting", "reporting\\xovi", "reporting\\xovi\\verlauf"}) {
        const QString path = ws.path(QString::fromLatin1(folder));
        if (!folderExists(path))
            createFolder(path);
    }
}

void addAndSaveDomain(Workspace &ws) {
    QComboBox *domains = ws.ui.Domain_Xovi;
    domains->addItem(domains->currentText());
    RemoveDuplicates(domains);
    makeFolders(ws);
    QStringList items;
    for (int k = 0; k < domains->count(); ++k)
        items << domains->itemText(k);
    textfile::writeLines(ws.path(kDomainList), items);
}

} // namespace

void enterDomain(Workspace &ws) {
    addAndSaveDomain(ws);
}

void chooseDomain(Workspace &ws) {
    const QString file = keywordFile(ws);
    if (!fileExists(file))
        return;
    QListWidget *keywords = ws.ui.kw_analyze;
    keywords->clear();
    keywords->addItems(textfile::readLines(file));
}

void enterKeyword(Workspace &ws) {
    QListWidget *keywords = ws.ui.kw_analyze;
    keywords->addItem(ws.ui.kw_analyze_entry->text());
    RemoveDuplicates(keywords);
    addAndSaveDomain(ws);
    QStringList items;
    for (int k = 0; k < keywords->count(); ++k)
        items << keywords->item(k)->text();
    textfile::writeLines(keywordFile(ws), items);
}

} // namespace kf::trends
