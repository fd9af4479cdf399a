#include "app/demo_mode.h"

#include "app/application.h"
#include "sandbox/demo_data.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTabWidget>

namespace kf::demo {

namespace {

QString q(const std::string &text) {
    return QString::fromStdString(text);
}

// Brings a page into view through every tab widget above it.
void showPage(QWidget *page) {
    for (QWidget *child = page; child && child->parentWidget(); child = child->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(child->parentWidget()->parentWidget()))
            if (tabs->indexOf(child) >= 0)
                tabs->setCurrentWidget(child);
}

} // namespace

std::unique_ptr<DemoMode> DemoMode::start(const QStringList &arguments, QString *refusal,
                                          int slowPageMs) {
    bool made = false;
    const QString folder = chooseDataFolder(arguments, refusal, &made);
    if (folder.isEmpty())
        return nullptr;
    return std::unique_ptr<DemoMode>(new DemoMode(folder, slowPageMs, made));
}

void DemoMode::markWindows(Windows &windows) const {
    using namespace sandbox::demo;
    TForm1 *form = windows.form1.get();
    if (auto *tray = form->findChild<QSystemTrayIcon *>(QStringLiteral("TrayIcon1")))
        tray->setToolTip(form->workspace().WindowTitle + QStringLiteral(" – Demo"));
    if (QObject *overview = form->findChild<QObject *>(QStringLiteral("ueberblick")))
        QMetaObject::invokeMethod(overview, "setText", Q_ARG(QString, bannerText(appFolder())));
    if (auto *projects = form->findChild<QComboBox *>(QStringLiteral("Projekte")))
        projects->setCurrentText(q(kProject)); // loads the project's domains into ListBox2
    // The keyword lists and the trend analysis ask for the domain selected here.
    if (auto *domains = form->findChild<QListWidget *>(QStringLiteral("ListBox2")))
        for (QListWidgetItem *item : domains->findItems(q(kMainDomain), Qt::MatchExactly))
            item->setSelected(true);
    if (auto *watched = form->findChild<QComboBox *>(QStringLiteral("Domain_Xovi")))
        watched->setCurrentText(q(kMainDomain)); // loads its keywords into kw_analyze
    if (auto *keywords = form->findChild<QListWidget *>(QStringLiteral("kw_analyze")))
        keywords->selectAll();
    // The last whole year: every week of it has been measured.
    if (auto *year = form->findChild<QComboBox *>(QStringLiteral("auswahl_jahr")))
        year->setCurrentText(QString::number(QDate::currentDate().year() - 1));
    if (auto *domain = form->findChild<QLineEdit *>(QStringLiteral("Edit44")))
        domain->setText(q(kMainDomain)); // the linking pages name it with and without scheme
    if (auto *pause = form->findChild<QComboBox *>(QStringLiteral("ComboBox19")))
        pause->setCurrentText(QStringLiteral("100")); // the stand-ins answer at once
    if (auto *sitemap = windows.form2->findChild<QLineEdit *>(QStringLiteral("Edit1")))
        sitemap->setText(q(services().sitemapUrl()));
    // A text set from here leaves the cursor at its end, and a field narrower than the text
    // then hides its start ("indenhof-gaertnerei.example", "127.0.0.1:…/sitemap.xml").
    for (QLineEdit *field :
         form->findChildren<QLineEdit *>() + windows.form2->findChildren<QLineEdit *>())
        field->home(false);
}

QString DemoMode::reportRequested(const QStringList &arguments) {
    const int at = arguments.indexOf(QStringLiteral("--demo-report"));
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

void DemoMode::showReport(Windows &windows, const QString &name) const {
    TForm1 *form = windows.form1.get();
    if (name == QLatin1String("keywords")) {
        if (auto *all = form->findChild<QRadioButton *>(QStringLiteral("xovi_kw")))
            all->setChecked(true);
        if (auto *check = form->findChild<QPushButton *>(QStringLiteral("Button3")))
            check->click();
    } else if (name == QLatin1String("trend")) {
        if (auto *analyse = form->findChild<QPushButton *>(QStringLiteral("Button5")))
            analyse->click();
        if (auto *chart = form->findChild<QWidget *>(QStringLiteral("TabSheetDiagramm")))
            showPage(chart);
    }
}

} // namespace kf::demo
