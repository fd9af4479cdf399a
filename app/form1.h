#pragma once

#include "analytics/analytics_panel.h"
#include "analytics/site_table_panel.h"
#include "backlinks/backlink_panel.h"
#include "core/workspace.h"
#include "projects/project_lists.h"
#include "xovi/seo_panel.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QMenu;
class QSystemTrayIcon;
class CategoryPanel;

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
    QSystemTrayIcon *TrayIcon1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QHash<QObject *, void (TForm1::*)()> returnHandlers_;
};
