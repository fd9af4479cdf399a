#include "app/form1.h"

#include "analytics/domain_import.h"
#include "app/run_status_bar.h"
#include "core/account_settings.h"
#include "core/data_folder.h"
#include "core/handler_frame.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "trends/date_table.h"
#include "trends/keyword_watch.h"
#include "trends/trend_panel.h"
#include "widgets/memo_view.h"
#include "widgets/program_icon.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSystemTrayIcon>
#include <QTabWidget>

namespace {
const QString kWindowTitle = QStringLiteral("Kelvaro Fennwick v.0.4b");
}

TForm1::TForm1(const QString &appFolder, QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(kf::programIcon());
    setFont(kf::programFont());
    ws_.ui.form = this;
    ws_.AppFolder = kf::withTrailingSeparator(appFolder);
    buildLayout();
    ws_.attachViews();
    FormCreate();
}

TForm1::~TForm1() {
    // The controls go first, while the workspace and subsystems they report into still exist.
    delete takeCentralWidget();
}

void TForm1::buildLayout() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto *layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildCategoryColumn());
    layout->addWidget(buildPages(), 1);
    setCentralWidget(client);
    buildMenus();
    buildTray();
    setStatusBar(new RunStatusBar(ws_.runs, this)); // shown only while a long run goes
    // A tab page also carries its caption as its own title, so it reads the same from either.
    for (auto *pages : findChildren<QTabWidget *>())
        for (int i = 0; i < pages->count(); ++i)
            pages->widget(i)->setWindowTitle(pages->tabText(i));
    // The designed client area lies below the menu bar.
    resize(757, 529 + menuBar()->sizeHint().height());
}

void TForm1::onReturn(QWidget *entry, void (TForm1::*handler)()) {
    returnHandlers_.insert(entry, handler);
    entry->installEventFilter(this);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (auto handler = returnHandlers_.value(watched))
                (this->*handler)();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- start-up -------------------------------------------------------------------------------

void TForm1::FormCreate() {
    // A step that fails ends the sequence with its error box; the caption then stays "Form1".
    kf::runHandler([this] { startUp(); });
}

void TForm1::startUp() {
    ws_.WindowTitle = kWindowTitle;
    ws_.ui.MonthCalendar1->setSelectedDate(QDate::currentDate());
    if (!kf::folderExists(ws_.path(QStringLiteral("db"))))
        kf::trends::generateDateTable(ws_);
    const QString accounts = ws_.path(QStringLiteral("accounts"));
    if (!kf::folderExists(accounts))
        kf::createFolder(accounts);
    loadComboItems(ws_.ui.auswahl_jahr, QStringLiteral("db\\zeit.txt"));
    loadComboItems(ws_.ui.Domain_Xovi, QStringLiteral("reporting\\projekte_kw.txt"));
    loadComboItems(ws_.ui.Projekte, QStringLiteral("reporting\\projekte.txt"));
    if (kf::fileExists(ws_.path(QStringLiteral("accounts\\account.txt"))))
        kf::loadAccountSettings(ws_);
    if (kf::fileExists(ws_.path(QStringLiteral("accounts\\ids\\sites.csv"))))
        siteTable_.reload();
    setWindowTitle(ws_.WindowTitle);
}

// The file's lines replace the combo's items; its text stays what it was, and no change
// handler runs for the reload.
void TForm1::loadComboItems(QComboBox *combo, const QString &relativePath) {
    const QString file = ws_.path(relativePath);
    if (!kf::fileExists(file))
        return;
    const QStringList lines = kf::textfile::readLines(file);
    const QSignalBlocker quiet(combo);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(lines);
    combo->setEditText(text);
}

// ---- window and tray ------------------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent *event) {
    // Closing the main window ends the program, whatever else is open; a run paused in
    // between its sites stops there.
    ws_.closing = true;
    if (crawler_)
        crawler_->hide();
    TrayIcon1->hide();
    event->accept();
    QCoreApplication::quit();
}

void TForm1::Beenden1Click() {
    kf::runHandler([this] { close(); });
}

void TForm1::Minimieren1Click() {
    kf::runHandler([this] {
        TrayIcon1->setVisible(true);
        // Without a notification area the icon cannot bring the window back: minimise instead.
        if (QSystemTrayIcon::isSystemTrayAvailable())
            hide();
        else
            showMinimized();
    });
}

void TForm1::showAgain() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TForm1::Programmffnen1Click() {
    kf::runHandler([this] {
        showAgain();
        TrayIcon1->hide();
    });
}

void TForm1::TrayIcon1Click() {
    kf::runHandler([this] { showAgain(); });
}

void TForm1::TrayIcon1MouseMove() {
    // No title or text is ever set, so the balloon shows nothing.
    kf::runHandler([this] { TrayIcon1->showMessage(QString(), QString(), QIcon(), 3000); });
}

void TForm1::SitemapCrawler1Click() {
    kf::runHandler([this] {
        if (!crawler_)
            return;
        crawler_->show();
        crawler_->raise();
        crawler_->activateWindow();
    });
}

// ---- handlers whose work lives in the subsystems --------------------------------------------

void TForm1::SpeichernClick() {
    kf::runHandler([this] { kf::saveAccountSettings(ws_); });
}

void TForm1::generiereWochentagausKWs1Click() {
    kf::runHandler([this] { kf::trends::generateDateTable(ws_); });
}

void TForm1::auswahl_jahrChange() {
    kf::runHandler([this] { kf::trends::chooseYear(ws_); });
}

void TForm1::HoleIds1Click() {
    kf::runHandler([this] { siteTable_.fetch(); });
}

void TForm1::Button1Click() {
    kf::runHandler([this] { analytics_.check(); });
}

void TForm1::Button2Click() {
    kf::runHandler([this] { analytics_.step(); });
}

void TForm1::ImportausPiWik1Click() {
    kf::runHandler([this] { kf::analytics::importDomainsFromAnalytics(ws_); });
}

// ---- SEODaten, Backlinkchecker and Analyse ---------------------------------------------------

void TForm1::Creditsabfragen1Click() {
    kf::runHandler([this] { seoPanel_.queryCredits(); });
}
void TForm1::Keywordcheck1Click() {
    kf::runHandler([this] { seoPanel_.keywordCheck(); });
}
void TForm1::LinklisteXoviRanking1Click() {
    kf::runHandler([this] { seoPanel_.linkListAgainstRanking(); });
}
void TForm1::Button3Click() {
    kf::runHandler([this] { seoPanel_.check(); });
}
void TForm1::Button4Click() {
    kf::runHandler([this] { seoPanel_.compare(); });
}
void TForm1::Button5Click() {
    kf::runHandler([this] { kf::trends::runTrendAnalysis(ws_); });
}
void TForm1::Button6Click() {
    kf::runHandler([this] { backlinks_.counterCheck(); });
}
void TForm1::Button99Click() {
    kf::runHandler([this] { backlinks_.fetch(); });
}
void TForm1::ProjekteChange() {
    kf::runHandler([this] { projects_.projectChanged(); });
}
void TForm1::ProjekteKeyDown() {
    kf::runHandler([this] { projects_.projectEntered(); });
}
void TForm1::Edit2KeyDown() {
    kf::runHandler([this] { projects_.domainEntered(); });
}
void TForm1::Domain_XoviChange() {
    kf::runHandler([this] { kf::trends::chooseDomain(ws_); });
}
void TForm1::Domain_XoviKeyDown() {
    kf::runHandler([this] { kf::trends::enterDomain(ws_); });
}
void TForm1::kw_analyze_entryKeyDown() {
    kf::runHandler([this] { kf::trends::enterKeyword(ws_); });
}
