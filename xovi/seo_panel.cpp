#include "xovi/seo_panel.h"

#include "core/dialogs.h"
#include "core/workspace.h"
#include "projects/project_lists.h"
#include "text/memo.h"
#include "widgets/memo_view.h"
#include "xovi/check_column.h"
#include "xovi/credits.h"
#include "xovi/seo_data_check.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace kf::xovi {

void SeoPanel::check() {
    const Controls &ui = ws_.ui;
    checkCompleted_ = false;
    // A click while the SEO-data check pauses between domains is refused whole, not half run.
    if (ws_.runs.running(QStringLiteral("Button3Click")))
        return;
    ui.speich->memo().prepare();
    // Not guarded: a project list that cannot be saved ends the run with its error box.
    projects::saveProjectList(ws_);

    if (ui.PiWikAPI->isChecked())
        CheckSeoData(ws_, seoRankRow_);
    // The three list buttons exclude one another; they are asked in this order.
    if (ui.xovi_kw->isChecked()) {
        ws_.XoviKey = ui.xovi_api_key->text();
        lists_.ListAllKeywords();
        showSeoPage();
    }
    if (ui.xovi_kw_new->isChecked()) {
        ws_.XoviKey = ui.xovi_api_key->text();
        lists_.ListNewKeywords();
        showSeoPage();
    }
    if (ui.xovi_kw_lost->isChecked()) {
        ws_.XoviKey = ui.xovi_api_key->text();
        lists_.ListLostKeywords();
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
    ws_.ui.Button3->click();
}

void SeoPanel::linkListAgainstRanking() {
    if (ws_.ui.ueberblick->memo().lineCount() < 3) {
        dialogs::showMessage(
            QStringLiteral("Es wurden keine OriginalUrls eingeladen - bitte holen Sie das nach!"));
        return;
    }
    ws_.ui.xovi_kw->setChecked(true);
    ws_.ui.Button3->click();
    if (checkCompleted_)
        ws_.ui.Button4->click();
}

void SeoPanel::queryCredits() {
    QueryXoviCredits(ws_);
}

} // namespace kf::xovi
