#pragma once

#include "analytics/analytics_panel.h"
#include "analytics/site_table_panel.h"
#include "backlinks/backlink_panel.h"
#include "core/workspace.h"
#include "projects/project_lists.h"
#include "trends/trend_analysis.h"
#include "xovi/seo_panel.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QMenu;
class QSystemTrayIcon;
class CategoryPanel;
class RunStatusBar;

namespace kf {
class ControlLock;
}

// The main window: it owns the controls and the unit-wide strings. Its slots keep the handler
// names and stay thin; the work lives in the subsystem objects, each given the workspace.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Builds the layout with the designed caption "Form1", then runs FormCreate.
    explicit TForm1(const QString &appFolder, QWidget *parent = nullptr);
    ~TForm1() override;

    kf::Workspace &workspace() { return ws_; }
    const kf::Workspace &workspace() const { return ws_; }

    // The sitemap crawler window that "Sitemap-Crawler" shows.
    void setCrawlerWindow(QWidget *crawler) { crawler_ = crawler; }
    QWidget *crawlerWindow() const { return crawler_; }
    // A control of another window that is refused while a long run of this one goes.
    void lockWhileRunning(QWidget *control);

public Q_SLOTS:
    void FormCreate();

    // Programm
    void Beenden1Click();
    void Minimieren1Click();
    // Tray
    void Programmffnen1Click();
    void TrayIcon1Click();
    void TrayIcon1MouseMove();
    // Tools
    void SitemapCrawler1Click();
    void Creditsabfragen1Click();
    void Keywordcheck1Click();
    void LinklisteXoviRanking1Click();
    // Datenbanken
    void generiereWochentagausKWs1Click();
    // Abfragen
    void HoleIds1Click();

    // Einstellungen
    void SpeichernClick();
    // Auswahl and the per-site step
    void Button1Click();
    void Button2Click();
    // SEODaten
    void Button3Click();
    void Button4Click();
    void ProjekteChange();
    void ProjekteKeyDown(); // Return in the entry field, whatever the modifiers
    void Edit2KeyDown();
    void ImportausPiWik1Click();
    // Backlinkchecker
    void Button99Click();
    void Button6Click();
    // Analyse
    void auswahl_jahrChange();
    void Domain_XoviChange();
    void Domain_XoviKeyDown();
    void kw_analyze_entryKeyDown();
    void Button5Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Layout, one builder per part of the window.
    void buildLayout();
    QWidget *buildCategoryColumn();
    CategoryPanel *buildSettingsPanel();
    CategoryPanel *buildSelectionPanel();
    CategoryPanel *buildSeoPanel();
    CategoryPanel *buildBacklinkPanel();
    QWidget *buildPages();
    QWidget *buildReportsPage();
    QWidget *buildDataPage();
    QWidget *buildAnalysisPage();
    QWidget *buildChartTab();
    void buildMenus();
    void buildTray();
    void onReturn(QWidget *entry, void (TForm1::*handler)());
    // One run at a time: while a long run goes, the controls that would start another or change
    // what it uses are locked.
    void buildRunLock();
    // True (and the foot says why) while a long run goes: the handler then does nothing. Locked
    // controls take no click; this covers every other road to a handler.
    bool refusedWhileRunning();
    // A handler that runs long: refused while another run goes, and when it ends the foot says
    // how (the run's own line, an error's text after `label`, or `endLine`). False if refused.
    using EndLine = QString (*)(const kf::Controls &, const kf::RunEnd &);
    bool runLong(const QString &label, const std::function<void()> &work, EndLine endLine);

    void startUp();
    void loadComboItems(QComboBox *combo, const QString &relativePath);
    void showAgain();

    kf::Workspace ws_;
    kf::analytics::SiteTable siteTable_{ws_};
    kf::analytics::AnalyticsPanel analytics_{ws_};
    kf::backlinks::BacklinkPanel backlinks_{ws_};
    kf::projects::ProjectLists projects_{ws_};
    kf::xovi::SeoPanel seoPanel_{ws_, [this] { analytics_.seoRankRow(); }};

    QPointer<QWidget> crawler_;
    RunStatusBar *StatusBar1 = nullptr;
    kf::ControlLock *runLock_ = nullptr;
    QSystemTrayIcon *TrayIcon1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QHash<QObject *, void (TForm1::*)()> returnHandlers_;
};
