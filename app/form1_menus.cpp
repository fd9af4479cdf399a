// The main menu, the popup menus and the tray icon of the main window.
#include "app/form1.h"
#include "widgets/program_icon.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QSystemTrayIcon>

namespace {

QMenu *namedMenu(const char *name, const QString &title, QWidget *parent) {
    auto *menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    // The entry that opens the menu carries the name too, so either is found by it.
    menu->menuAction()->setObjectName(menu->objectName());
    return menu;
}

QAction *namedAction(const char *name, const QString &text, QMenu *menu) {
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void TForm1::buildMenus() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *program = namedMenu("Programm1", QStringLiteral("Programm"), bar);
    connect(namedAction("Beenden1", QStringLiteral("Beenden"), program), &QAction::triggered, this,
            &TForm1::Beenden1Click);
    connect(namedAction("Minimieren1", QStringLiteral("Minimieren"), program), &QAction::triggered,
            this, &TForm1::Minimieren1Click);
    bar->addMenu(program);

    QMenu *queries = namedMenu("Abfragen1", QStringLiteral("Abfragen"), bar);
    QMenu *sites = namedMenu("Seiten1", QStringLiteral("Seiten"), queries);
    connect(namedAction("HoleIds1", QStringLiteral("Hole Ids"), sites), &QAction::triggered, this,
            &TForm1::HoleIds1Click);
    queries->addMenu(sites);
    bar->addMenu(queries);

    QMenu *tools = namedMenu("ools1", QStringLiteral("Tools"), bar);
    connect(namedAction("SitemapCrawler1", QStringLiteral("Sitemap-Crawler"), tools),
            &QAction::triggered, this, &TForm1::SitemapCrawler1Click);
    QMenu *xovi = namedMenu("XOVI1", QStringLiteral("XOVI"), tools);
    connect(namedAction("Creditsabfragen1", QStringLiteral("Credits abfragen"), xovi),
            &QAction::triggered, this, &TForm1::Creditsabfragen1Click);
    connect(namedAction("Keywordcheck1", QStringLiteral("Keywordcheck"), xovi), &QAction::triggered,
            this, &TForm1::Keywordcheck1Click);
    tools->addMenu(xovi);
    QMenu *compare = namedMenu("Datenabgleich1", QStringLiteral("Datenabgleich"), tools);
    connect(
        namedAction("LinklisteXoviRanking1", QStringLiteral("Linkliste <> Xovi-Ranking"), compare),
        &QAction::triggered, this, &TForm1::LinklisteXoviRanking1Click);
    tools->addMenu(compare);
    bar->addMenu(tools);

    QMenu *databases = namedMenu("Datenbanken1", QStringLiteral("Datenbanken"), bar);
    connect(namedAction("generiereWochentagausKWs1", QStringLiteral("generiere Wochentag aus KWs"),
                        databases),
            &QAction::triggered, this, &TForm1::generiereWochentagausKWs1Click);
    bar->addMenu(databases);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    connect(namedAction("ImportausPiWik1", QStringLiteral("Import aus PiWik"), PopupMenu2),
            &QAction::triggered, this, &TForm1::ImportausPiWik1Click);
}

void TForm1::buildTray() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(namedAction("Programmffnen1", QStringLiteral("Programm öffnen"), PopupMenu1),
            &QAction::triggered, this, &TForm1::Programmffnen1Click);

    TrayIcon1 = new QSystemTrayIcon(this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setIcon(kf::programIcon());
    TrayIcon1->setToolTip(QStringLiteral("Kelvaro Fennwick v.0.4b"));
    TrayIcon1->setContextMenu(PopupMenu1);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    TrayIcon1Click();
            });
    // QSystemTrayIcon reports no mouse movement, so TrayIcon1MouseMove has no signal to hang
    // on; it stays callable for the balloon it would show.
}
