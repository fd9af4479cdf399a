// Every designed control of the main window: found by its layout name, of the designed kind,
// with its caption or initial text, visibility and enabled state.
#include "tests/support/gui_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

using namespace testing_gui;

namespace {

QTabWidget *owningTabs(QWidget *page) {
    for (QObject *p = page->parent(); p; p = p->parent())
        if (auto *tabs = qobject_cast<QTabWidget *>(p))
            return tabs;
    return nullptr;
}

// The text a control shows as its caption or initial text.
QString captionOf(QObject *o) {
    if (auto *x = qobject_cast<QLabel *>(o))
        return x->text();
    if (auto *x = qobject_cast<QLineEdit *>(o))
        return x->text();
    if (auto *x = qobject_cast<QAbstractButton *>(o))
        return x->text();
    if (auto *x = qobject_cast<QComboBox *>(o))
        return x->currentText();
    if (auto *x = qobject_cast<QGroupBox *>(o))
        return x->title();
    if (auto *x = qobject_cast<QAction *>(o))
        return x->text();
    if (auto *x = qobject_cast<QMenu *>(o))
        return x->title();
    if (o->property("title").isValid())
        return o->property("title").toString();
    if (o->metaObject()->indexOfMethod("text()") >= 0)
        return memoText(o);
    if (auto *page = qobject_cast<QWidget *>(o))
        if (QTabWidget *tabs = owningTabs(page); tabs && tabs->indexOf(page) >= 0)
            return tabs->tabText(tabs->indexOf(page));
    return QString();
}

struct Expected {
    const char *name;
    const char *kind; // a class the control inherits
    QString caption;
    bool hidden = false;
    bool enabled = true;
};

void checkAll(QObject *window, std::initializer_list<Expected> table) {
    for (const Expected &e : table) {
        SCOPED_TRACE(e.name);
        const QList<QObject *> found = window->findChildren<QObject *>(QString::fromLatin1(e.name));
        QObject *o = nullptr;
        for (QObject *candidate : found)
            if (candidate->inherits(e.kind))
                o = candidate;
        ASSERT_NE(o, nullptr) << "no " << e.kind;
        EXPECT_EQ(captionOf(o), e.caption);
        // Tab pages and menus are hidden while not shown; the others by design only.
        auto *w = qobject_cast<QWidget *>(o);
        const bool page = w && qobject_cast<QStackedWidget *>(w->parent());
        if (w && !page && !qobject_cast<QMenu *>(w)) {
            EXPECT_EQ(w->isHidden(), e.hidden);
            EXPECT_EQ(w->isEnabled(), e.enabled);
        }
    }
}

QStringList itemsOf(QComboBox *combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// With db present, start-up leaves the designed texts alone.
Windows startWithDb(const DataFolder &data) {
    data.makeFolder("db");
    return createWindows(data.root());
}

class MainWindowControls : public ::testing::Test {
protected:
    DataFolder data;
    MessageCapture boxes;
    Windows w = startWithDb(data);
    TForm1 *form = w.form1.get();
};

} // namespace

TEST_F(MainWindowControls, PanelsAndTheirControls) {
    checkAll(form, {
                       {"CategoryPanel1", "CategoryPanel", "Einstellungen"},
                       {"URL", "QLineEdit", "URL"},
                       {"Token", "QLineEdit", ""},
                       {"Speichern", "QPushButton", "Speichern"},
                       {"XOVIAPI", "QLabel", "XOVIAPI"},
                       {"xovi_api_key", "QLineEdit", ""},
                       {"Label2", "QLabel", "SEOkicks - API"},
                       {"seokicksapi", "QLineEdit", ""},

                       {"CategoryPanel2", "CategoryPanel", "Auswahl"},
                       {"ListBox1", "QListWidget", ""},
                       {"overview_all", "QRadioButton", "Überblick"},
                       {"Keywords_all", "QRadioButton", "Keywords"},
                       {"Webseiten_all", "QRadioButton", "Webseiten"},
                       {"Check_SEO", "QRadioButton", "SEO-Daten"},
                       {"LiveCheck", "QRadioButton", "Livecheck"},
                       {"einstieg", "QRadioButton", "Einstiegsseiten"},
                       {"Button1", "QPushButton", "Check"},
                       {"ComboBox1", "QComboBox", "Live-Check-Abfrage"},
                       {"ComboBox2", "QComboBox", "Periode - Zeitraum "},

                       {"SEODaten", "CategoryPanel", "SEODaten"},
                       {"Projekte", "QComboBox", "Projekte"},
                       {"Edit2", "QLineEdit", "Domain"},
                       {"ListBox2", "QListWidget", ""},
                       {"Button3", "QPushButton", "Check"},
                       {"Label1", "QLabel", "Suchmaschine / XOVI"},
                       {"sengine", "QComboBox", "google.de"},
                       {"PiWikAPI", "QRadioButton", "PiWikAPI"},
                       {"GroupBox1", "QGroupBox", "Xovi"},
                       {"xovi_kw", "QRadioButton", "Keywords (alle, Limit 1500)"},
                       {"xovi_kw_new", "QRadioButton", "Keywords (Neu)"},
                       {"xovi_kw_lost", "QRadioButton", "Keywords (Verloren)"},
                       {"Button4", "QPushButton", "Button4", true},
                       {"sonst_urls", "MemoView", "", true},

                       {"CategoryPanel3", "CategoryPanel", "Backlinkchecker"},
                       {"Label94", "QLabel", "Domainname:"},
                       {"Label96", "QLabel", "Checkfrequenz:"},
                       {"ComboBox19", "QComboBox", "1000"},
                       {"Label21", "QLabel", "max. Ergebnisse"},
                       {"maxerg", "QLineEdit", "100"},
                       {"RadioButton17", "QRadioButton", "Crawler", false, false},
                       {"RadioButton18", "QRadioButton", "seokicks"},
                       {"RadioButton40", "QRadioButton", "XOVI"},
                       {"Button99", "QPushButton", "Check!"},
                       {"Button6", "QPushButton", "Gegenprobe"},
                   });
    EXPECT_TRUE(control<QLineEdit>(form, "Edit44")->text().contains("://"));
    EXPECT_TRUE(memoScrollBars(control(form, "sonst_urls")));
}

TEST_F(MainWindowControls, PagesAndTheirControls) {
    checkAll(form, {
                       {"TabSheet1", "QWidget", "Auswertungen"},
                       {"TabSheet2", "QWidget", "Daten"},
                       {"TabSheet4", "QWidget", "Analyse"},
                       {"TabSheet3", "QWidget", "Einstieg"},
                       {"Keywords", "QWidget", "Keywords"},
                       {"Verweisende", "QWidget", "Verweisende"},
                       {"SEO", "QWidget", "SEO"},
                       {"Webseiten", "QWidget", "Webseiten"},
                       {"Zwischenspeicher", "QWidget", "Zwischenspeicher"},
                       {"TabSheet5", "QWidget", "Keywords"},
                       {"Tabelle", "QWidget", "Tabelle"},
                       {"Panel1", "QWidget", ""},
                       {"MonthCalendar1", "QCalendarWidget", ""},
                       {"Edit1", "QLineEdit", "Edit1", true},
                       {"Button2", "QPushButton", "Button2", true},
                       {"Optionen", "QGroupBox", "Übersicht"},
                       {"ueberblick", "MemoView", "ueberblick"},
                       {"speich", "MemoView", "speich"},
                       {"Domain_Xovi", "QComboBox", "Domain_Xovi"},
                       {"kw_analyze_entry", "QLineEdit", "kw_analyze_entry"},
                       {"kw_analyze", "QListWidget", ""},
                       {"auswahl_jahr", "QComboBox", "auswahl_jahr"},
                       {"ListBox3", "QListWidget", ""},
                       {"RadioButton1", "QRadioButton", "Rankingverlauf"},
                       {"Button5", "QPushButton", "Analyse"},
                       {"Memo1", "MemoView", "Memo1", true},
                   });
    // Each page control opens on its designed tab.
    const std::pair<const char *, const char *> startTabs[] = {{"PageControl1", "TabSheet1"},
                                                               {"PageControl2", "TabSheet3"},
                                                               {"Webseite", "Zwischenspeicher"},
                                                               {"PageControl3", "TabSheet5"}};
    for (auto [pages, tab] : startTabs) {
        auto *tabs = control<QTabWidget>(form, pages);
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(tabs->currentWidget()->objectName(), tab) << pages;
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_EQ(tabs->widget(i)->windowTitle(), tabs->tabText(i)) << pages;
    }
    EXPECT_EQ(control<QTabWidget>(form, "PageControl1")->count(), 3);
    EXPECT_EQ(control<QTabWidget>(form, "PageControl2")->count(), 4);
    EXPECT_EQ(control<QTabWidget>(form, "Webseite")->count(), 2);
    EXPECT_EQ(control<QTabWidget>(form, "PageControl3")->count(), 3); // with "Diagramm"
    EXPECT_EQ(control<QWidget>(form, "Panel1")->maximumWidth(), 209);
    EXPECT_FALSE(memoScrollBars(control(form, "speich")));
    EXPECT_FALSE(memoScrollBars(control(form, "ueberblick")));
}

TEST_F(MainWindowControls, MenusAndTray) {
    checkAll(form, {
                       {"Programm1", "QMenu", "Programm"},
                       {"Beenden1", "QAction", "Beenden"},
                       {"Minimieren1", "QAction", "Minimieren"},
                       {"Abfragen1", "QMenu", "Abfragen"},
                       {"Seiten1", "QMenu", "Seiten"},
                       {"HoleIds1", "QAction", "Hole Ids"},
                       {"ools1", "QMenu", "Tools"},
                       {"SitemapCrawler1", "QAction", "Sitemap-Crawler"},
                       {"XOVI1", "QMenu", "XOVI"},
                       {"Creditsabfragen1", "QAction", "Credits abfragen"},
                       {"Keywordcheck1", "QAction", "Keywordcheck"},
                       {"Datenabgleich1", "QMenu", "Datenabgleich"},
                       {"LinklisteXoviRanking1", "QAction", "Linkliste <> Xovi-Ranking"},
                       {"Datenbanken1", "QMenu", "Datenbanken"},
                       {"generiereWochentagausKWs1", "QAction", "generiere Wochentag aus KWs"},
                       {"PopupMenu1", "QMenu", ""},
                       {"Programmffnen1", "QAction", "Programm öffnen"},
                       {"PopupMenu2", "QMenu", ""},
                       {"ImportausPiWik1", "QAction", "Import aus PiWik"},
                   });
    // The menu bar holds the four menus in order; the submenus sit in their parents.
    auto *bar = control<QMenuBar>(form, "MainMenu1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, form->menuBar());
    QStringList titles;
    for (QAction *a : bar->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"Programm", "Abfragen", "Tools", "Datenbanken"}));
    EXPECT_TRUE(control<QMenu>(form, "Abfragen1")
                    ->actions()
                    .contains(control<QMenu>(form, "Seiten1")->menuAction()));
    EXPECT_TRUE(control<QMenu>(form, "ools1")
                    ->actions()
                    .contains(control<QMenu>(form, "XOVI1")->menuAction()));

    auto *tray = control<QSystemTrayIcon>(form, "TrayIcon1");
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(tray->isVisible());
    EXPECT_EQ(tray->contextMenu(), control<QMenu>(form, "PopupMenu1"));
    EXPECT_EQ(tray->toolTip(), "Kelvaro Fennwick v.0.4b");
    EXPECT_FALSE(tray->icon().isNull());
}

TEST_F(MainWindowControls, ItemsOfTheDesignedLists) {
    EXPECT_EQ(itemsOf(control<QComboBox>(form, "ComboBox1")),
              QStringList({"5", "10", "15", "30", "35", "40", "45", "50"}));
    EXPECT_EQ(itemsOf(control<QComboBox>(form, "ComboBox2")),
              QStringList({"Tag", "Woche", "Monat"}));
    EXPECT_EQ(itemsOf(control<QComboBox>(form, "sengine")),
              QStringList({"google.de", "google.at", "google.ch", "bing.de"}));
    const QStringList frequencies = itemsOf(control<QComboBox>(form, "ComboBox19"));
    ASSERT_EQ(frequencies.size(), 29);
    EXPECT_EQ(frequencies.first(), "100");
    EXPECT_EQ(frequencies[9], "1000");
    EXPECT_EQ(frequencies[10], "2000");
    EXPECT_EQ(frequencies.last(), "20000");

    for (const char *name : {"ListBox1", "kw_analyze", "ListBox3"})
        EXPECT_NE(control<QListWidget>(form, name)->selectionMode(),
                  QAbstractItemView::SingleSelection)
            << name;
    EXPECT_EQ(control<QListWidget>(form, "ListBox2")->selectionMode(),
              QAbstractItemView::SingleSelection);
    for (const char *name : {"ComboBox1", "ComboBox2", "Projekte", "sengine", "ComboBox19",
                             "Domain_Xovi", "auswahl_jahr"})
        EXPECT_TRUE(control<QComboBox>(form, name)->isEditable()) << name;
}

TEST_F(MainWindowControls, GridsStartWithTheirDesignedShape) {
    struct Shape {
        const char *name;
        int cols, rows, fixedRows, fixedCols;
    };
    for (const Shape &s : {Shape{"StringGrid1", 5, 5, 0, 0}, Shape{"StringGrid2", 5, 1, 0, 0},
                           Shape{"StringGrid3", 5, 1, 0, 0}, Shape{"StringGrid4", 5, 1, 0, 0},
                           Shape{"StringGrid5", 5, 5, 1, 1}}) {
        SCOPED_TRACE(s.name);
        QObject *grid = control(form, s.name);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(gridInt(grid, "colCount"), s.cols);
        EXPECT_EQ(gridInt(grid, "rowCount"), s.rows);
        EXPECT_EQ(gridInt(grid, "fixedRows"), s.fixedRows);
        EXPECT_EQ(gridInt(grid, "fixedCols"), s.fixedCols);
    }
}

TEST_F(MainWindowControls, WindowShapeAndCategoryPanels) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_EQ(form->centralWidget()->size(), QSize(757, 529));
    EXPECT_EQ(control<QWidget>(form, "CategoryPanelGroup1")->width(), 241);
    EXPECT_EQ(form->font().pointSize(), 8);
    const std::pair<const char *, bool> panels[] = {{"CategoryPanel1", true},
                                                    {"CategoryPanel2", false},
                                                    {"SEODaten", false},
                                                    {"CategoryPanel3", true}};
    for (auto [name, expanded] : panels)
        EXPECT_EQ(control(form, name)->property("expanded").toBool(), expanded) << name;

    // The header opens and closes the body.
    QObject *panel = control(form, "CategoryPanel2");
    auto *header = control<QAbstractButton>(panel, "CategoryPanel2Header");
    auto *list = control<QWidget>(form, "ListBox1");
    EXPECT_FALSE(list->isVisible());
    header->click();
    EXPECT_TRUE(panel->property("expanded").toBool());
    EXPECT_TRUE(list->isVisible());
    panel->setProperty("expanded", false);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(header->isChecked());
}

TEST_F(MainWindowControls, RadioButtonsExcludeOnlyWithinTheirGroup) {
    auto radio = [&](const char *name) { return control<QRadioButton>(form, name); };
    const char *all[] = {"overview_all",  "Keywords_all", "Webseiten_all", "Check_SEO",
                         "LiveCheck",     "einstieg",     "PiWikAPI",      "xovi_kw",
                         "xovi_kw_new",   "xovi_kw_lost", "RadioButton17", "RadioButton18",
                         "RadioButton40", "RadioButton1"};
    for (const char *name : all)
        EXPECT_FALSE(radio(name)->isChecked()) << name;

    form->show();
    QTest::mouseClick(radio("Keywords_all"), Qt::LeftButton);
    QTest::mouseClick(radio("LiveCheck"), Qt::LeftButton);
    EXPECT_FALSE(radio("Keywords_all")->isChecked());
    EXPECT_TRUE(radio("LiveCheck")->isChecked());

    // Other groups leave the report kind alone.
    radio("xovi_kw")->setChecked(true);
    radio("PiWikAPI")->setChecked(true);
    radio("RadioButton40")->setChecked(true);
    radio("RadioButton1")->setChecked(true);
    EXPECT_TRUE(radio("LiveCheck")->isChecked());
    EXPECT_TRUE(radio("xovi_kw")->isChecked());
    EXPECT_TRUE(radio("PiWikAPI")->isChecked());

    radio("xovi_kw_lost")->setChecked(true);
    EXPECT_FALSE(radio("xovi_kw")->isChecked());
    EXPECT_TRUE(radio("PiWikAPI")->isChecked());
    radio("RadioButton18")->setChecked(true);
    EXPECT_FALSE(radio("RadioButton40")->isChecked());
    EXPECT_TRUE(radio("xovi_kw_lost")->isChecked());
    EXPECT_TRUE(radio("LiveCheck")->isChecked());
}

TEST(CrawlerWindowControls, DesignedControls) {
    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm2 *crawler = w.form2.get();
    EXPECT_EQ(crawler->windowTitle(), "Sitemap-Crawler");
    EXPECT_EQ(crawler->objectName(), "Form2");
    EXPECT_EQ(crawler->size(), QSize(601, 296));
    EXPECT_TRUE(crawler->isWindow());
    checkAll(crawler, {
                          {"Panel1", "QWidget", ""},
                          {"Edit1", "QLineEdit", "Sitemap-URL"},
                          {"Button1", "QPushButton", "Extrakt"},
                          {"Button2", "QPushButton", "Übertrag"},
                          {"Panel2", "QWidget", ""},
                          {"Memo1", "MemoView", ""},
                      });
    EXPECT_EQ(control<QWidget>(crawler, "Panel1")->width(), 185);
}

TEST_F(MainWindowControls, ProgramIconOnBothWindowsAndTheTray) {
    const QImage drawn = form->windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(drawn.isNull()) << "the SVG icon cannot be drawn (Qt's SVG plugins missing?)";
    EXPECT_EQ(drawn, QIcon(QStringLiteral(":/icons/kelvaro.svg")).pixmap(32, 32).toImage());
    EXPECT_EQ(w.form2->windowIcon().pixmap(32, 32).toImage(), drawn);
    EXPECT_EQ(control<QSystemTrayIcon>(form, "TrayIcon1")->icon().pixmap(32, 32).toImage(), drawn);
    // A message box without an owner window (the main window hidden to the tray) too.
    EXPECT_EQ(QApplication::windowIcon().pixmap(32, 32).toImage(), drawn);
}

TEST_F(MainWindowControls, ListsKeepAboutTenRowsWithEveryPanelOpen) {
    auto *sites = control<QListWidget>(form, "ListBox1");
    auto *domains = control<QListWidget>(form, "ListBox2");
    for (int i = 0; i < 20; ++i) {
        sites->addItem(QStringLiteral("http://site-%1.example").arg(i));
        domains->addItem(QStringLiteral("domain-%1.example").arg(i));
    }
    for (const char *panel : {"CategoryPanel1", "CategoryPanel2", "SEODaten", "CategoryPanel3"})
        control(form, panel)->setProperty("expanded", true);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    QCoreApplication::processEvents();
    for (QListWidget *list : {sites, domains})
        EXPECT_GE(list->viewport()->height(), 9 * list->sizeHintForRow(0))
            << list->objectName().toStdString();
}

TEST_F(MainWindowControls, TheWheelTurnsAComboBoxOnlyWhileItHasTheFocus) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    auto *live = control<QComboBox>(form, "ComboBox1");
    const auto turn = [live] {
        QWheelEvent down(QPointF(5, 5), live->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(live, &down);
    };
    control<QComboBox>(form, "ComboBox2")->setFocus();
    turn(); // scrolling the side column past it
    EXPECT_EQ(live->currentText(), QStringLiteral("Live-Check-Abfrage"));
    live->setFocus();
    turn();
    EXPECT_NE(live->currentText(), QStringLiteral("Live-Check-Abfrage"));
}
