#include "analytics/site_table_panel.h"

#include "analytics/site_table.h"
#include "core/data_folder.h"
#include "core/handler_frame.h"
#include "core/workspace.h"

#include <QLineEdit>
#include <QListWidget>

namespace kf::analytics {

void SiteTable::fetch() {
    // A failure ends the fetch without a message; what is done stays.
    guarded([&] {
        fetchSiteTable(ws_, {ws_.ui.URL->text(), ws_.ui.Token->text()});
        rebuildList();
    });
}

void SiteTable::reload() {
    if (!fileExists(ws_.path(kSiteFile)))
        return;
    loadSiteTable(ws_);
    rebuildList();
}

void SiteTable::rebuildList() {
    QListWidget *list = ws_.ui.ListBox1;
    list->clear();
    list->addItems(siteAddresses(ws_.grid1()));
}

} // namespace kf::analytics
