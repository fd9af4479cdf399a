#include "backlinks/backlink_panel.h"

#include "backlinks/report_names.h"
#include "core/handler_frame.h"
#include "core/workspace.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace kf::backlinks {

BacklinkPanel::BacklinkPanel(Workspace &ws) : ws_(ws), fetch_(ws), counterCheck_(ws, fetch_) {}

void BacklinkPanel::fetch() {
    // A second click while the list is walked starts nothing, and changes nothing.
    if (ws_.runs.running(QStringLiteral("Button99Click")))
        return;
    const Controls &ui = ws_.ui;
    BacklinkRequest request;
    if (ui.RadioButton40->isChecked()) {
        request.source = BacklinkRequest::Source::Xovi;
        // Above 10000 the edit falls back to 1000 as the request does; a text that is no
        // number stays for the run to refuse.
        guarded([&] {
            const QString limit = BacklinkFetch::xoviLimit(ui.maxerg->text());
            if (limit != ui.maxerg->text())
                ui.maxerg->setText(limit);
        });
    } else if (ui.RadioButton18->isChecked()) {
        request.source = BacklinkRequest::Source::Seokicks;
    }
    request.domain = ui.Edit44->text();
    request.maxResults = ui.maxerg->text();
    request.xoviKey = ui.xovi_api_key->text();
    request.seokicksKey = ui.seokicksapi->text();
    if (fetch_.fetch(request))
        showTable();
}

void BacklinkPanel::counterCheck() {
    QComboBox *pace = ws_.ui.ComboBox19;
    counterCheck_.run({ws_.ui.Edit44->text(), [pace] { return wholeNumber(pace->currentText()); }});
}

void BacklinkPanel::showTable() {
    QWidget *form = ws_.ui.form;
    if (!form)
        return;
    auto *analysis = form->findChild<QTabWidget *>(QStringLiteral("PageControl3"));
    auto *table = form->findChild<QWidget *>(QStringLiteral("Tabelle"));
    if (analysis && table)
        analysis->setCurrentWidget(table);
    auto *pages = form->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    auto *page = form->findChild<QWidget *>(QStringLiteral("TabSheet4"));
    if (pages && page)
        pages->setCurrentWidget(page);
}

} // namespace kf::backlinks
