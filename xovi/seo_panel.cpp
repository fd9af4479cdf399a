#include "xovi/seo_panel.h"

#include "core/dialogs.h"
#include "core/handler_frame.h"
#include "core/workspace.h"
#include "projects/project_lists.h"
#include "text/memo.h"
#include "widgets/memo_view.h"
#include "xovi/check_column.h"
#include "xovi/credits.h"
#include "xovi/seo_data_check.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

namespace kf::xovi {

namespace {

QStringList listItems(const QListWidget *list) {
    QStringList items;
    for (int k = 0; k < list->count(); ++k)
        items.append(list->item(k)->text());
    return items;
}

// The text of the selected entry; empty when none is selected.
QString selectedItem(const QListWidget *list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace

void SeoPanel::check() {
    const Controls &ui = ws_.ui;
    checkCompleted_ = false;
    // A click while the SEO-data check pauses between domains is refused whole, not half run.
    if (ws_.runs.running(QStringLiteral("Button3Click")))
        return;
    ws_.speich().prepare();
    // Not guarded: a project list that cannot be saved ends the run with its error box.
    projects::saveProjectList(ws_);

    if (ui.PiWikAPI->isChecked())
        CheckSeoData(ws_, listItems(ui.ListBox2), seoRankRow_);
    // The three list buttons exclude one another; they are asked in this order.
    const std::pair<QRadioButton *, const KeywordLists::Kind *> lists[] = {
        {ui.xovi_kw, &KeywordLists::allKeywords()},
        {ui.xovi_kw_new, &KeywordLists::newKeywords()},
        {ui.xovi_kw_lost, &KeywordLists::lostKeywords()},
    };
    for (const auto &[button, kind] : lists) {
        if (!button->isChecked())
            continue;
        ws_.XoviKey = ui.xovi_api_key->text();
        // The domain and engine are read when the list starts, after the SEO data's pauses.
        lists_.list(*kind, {selectedItem(ui.ListBox2), ui.sengine->currentText()});
        showSeoPage();
    }
    checkCompleted_ = true;
}

void SeoPanel::showSeoPage() {
    QWidget *form = ws_.ui.form;
    auto *inner = form->findChild<QTabWidget *>(QStringLiteral("PageControl2"));
    auto *outer = form->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    if (inner)
        inner->setCurrentWidget(form->findChild<QWidget *>(QStringLiteral("SEO")));
    if (outer)
        outer->setCurrentWidget(form->findChild<QWidget *>(QStringLiteral("TabSheet1")));
}

void SeoPanel::compare() {
    compareCheckColumn(ws_);
}

void SeoPanel::keywordCheck() {
    ws_.ui.xovi_kw->setChecked(true);
    runHandler([this] { check(); }); // as "Check" runs it: a failure shows its box here
}

void SeoPanel::linkListAgainstRanking() {
    if (ws_.ueberblick().lineCount() < 3) {
        dialogs::showMessage(
            QStringLiteral("Es wurden keine OriginalUrls eingeladen - bitte holen Sie das nach!"));
        return;
    }
    ws_.ui.xovi_kw->setChecked(true);
    runHandler([this] { check(); });
    if (checkCompleted_)
        runHandler([this] { compare(); });
}

void SeoPanel::queryCredits() {
    QueryXoviCredits(ws_, ws_.ui.xovi_api_key->text());
}

} // namespace kf::xovi
