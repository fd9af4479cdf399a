#include "app/form1.h"

#include "analytics/domain_import.h"
#include "app/run_end_lines.h"
#include "app/run_status_bar.h"
#include "app/window_geometry.h"
#include "core/account_settings.h"
#include "core/data_folder.h"
#include "core/handler_frame.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "trends/date_table.h"
#include "trends/keyword_watch.h"
#include "trends/ranking_chart_view.h"
#include "trends/trend_panel.h"
#include "widgets/category_panel.h"
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
#include <QStatusTipEvent>
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
    // The first time, tall enough for the open panels of the side column without a scroll bar,
    // which would cut their texts.
    const int column = findChild<CategoryPanelGroup *>()->sizeHint().height();
    const QSize first(757, std::max(529, column) + menuBar()->sizeHint().height() +
                               statusBar()->sizeHint().height());
    kf::restoreWindowGeometry(this, ws_.AppFolder, first);
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
    StatusBar1 = new RunStatusBar(ws_.runs, this);
    setStatusBar(StatusBar1);
    buildRunLock();
    // A tab page also carries its caption as its own title, so it reads the same from either.
    for (auto *pages : findChildren<QTabWidget *>())
        for (int i = 0; i < pages->count(); ++i)
            pages->widget(i)->setWindowTitle(pages->tabText(i));
}

void TForm1::onReturn(QWidget *entry, void (TForm1::*handler)()) {
    returnHandlers_.insert(entry, handler);
    entry->installEventFilter(this);
}

bool TForm1::event(QEvent *event) {
    // The pointer crossing a menu entry (none has a tip) would wipe the foot's line.
    if (event->type() == QEvent::StatusTip &&
        static_cast<QStatusTipEvent *>(event)->tip().isEmpty())
        return true;
    return QMainWindow::event(event);
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
    kf::saveWindowGeometry(this, ws_.AppFolder);
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
    if (!refusedWhileRunning())
        kf::runHandler([this] { kf::saveAccountSettings(ws_); });
}

void TForm1::generiereWochentagausKWs1Click() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { kf::trends::generateDateTable(ws_); });
}

void TForm1::auswahl_jahrChange() {
    kf::runHandler([this] { kf::trends::chooseYear(ws_); });
}

void TForm1::HoleIds1Click() {
    // One request, yet it may take long: the window paints and "Abbrechen" gives it up.
    runLong(
        QStringLiteral("Hole Ids"),
        [this] {
            kf::LongRun run(ws_, QStringLiteral("Form1.HoleIds1Click"));
            siteTable_.fetch();
        },
        kf::foot::siteTableLine);
}

void TForm1::Button1Click() {
    runLong(
        QStringLiteral("Check"), [this] { analytics_.check(); }, kf::foot::checkRunLine);
}

void TForm1::Button2Click() {
    kf::runHandler([this] { analytics_.step(); });
}

void TForm1::ImportausPiWik1Click() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { kf::analytics::importDomainsFromAnalytics(ws_); });
}

// ---- SEODaten, Backlinkchecker and Analyse ---------------------------------------------------

void TForm1::Creditsabfragen1Click() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { seoPanel_.queryCredits(); });
}
void TForm1::Keywordcheck1Click() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { seoPanel_.keywordCheck(); });
}
void TForm1::LinklisteXoviRanking1Click() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { seoPanel_.linkListAgainstRanking(); });
}
void TForm1::Button3Click() {
    // The keyword lists are one request each: as a run the window paints while they come.
    runLong(
        QStringLiteral("SEODaten"),
        [this] {
            kf::LongRun run(ws_, QStringLiteral("Form1.Button3Click"));
            seoPanel_.check();
        },
        kf::foot::seoPanelLine);
}
void TForm1::Button4Click() {
    kf::runHandler([this] { seoPanel_.compare(); });
}
void TForm1::Button5Click() {
    if (!runLong(
            QStringLiteral("Rankingverlauf"), [this] { kf::trends::runTrendAnalysis(ws_); },
            kf::foot::trendLine))
        return;
    // The chart's title and saved files tell the domain and whether the table is whole.
    if (const auto &end = ws_.runs.lastEnd())
        kf::trends::setRankingChartSubject(
            ws_, {kf::trends::analysedDomain(ws_), !end->cancelled && end->done >= end->total});
}
void TForm1::Button6Click() {
    runLong(
        QStringLiteral("Gegenprobe"), [this] { backlinks_.counterCheck(); },
        kf::foot::counterCheckLine);
}
void TForm1::Button99Click() {
    runLong(
        QStringLiteral("Backlinks"), [this] { backlinks_.fetch(); }, kf::foot::backlinkLine);
}
void TForm1::ProjekteChange() {
    kf::runHandler([this] { projects_.projectChanged(); });
}
void TForm1::ProjekteKeyDown() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { projects_.projectEntered(); });
}
void TForm1::Edit2KeyDown() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { projects_.domainEntered(); });
}
void TForm1::Domain_XoviChange() {
    kf::runHandler([this] { kf::trends::chooseDomain(ws_); });
}
void TForm1::Domain_XoviKeyDown() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { kf::trends::enterDomain(ws_); });
}
void TForm1::kw_analyze_entryKeyDown() {
    if (!refusedWhileRunning())
        kf::runHandler([this] { kf::trends::enterKeyword(ws_); });
}
