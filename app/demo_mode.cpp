#include "app/demo_mode.h"

#include "app/application.h"
#include "core/data_folder.h"
#include "sandbox/demo_data.h"
#include "text/text_file.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
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

QStringList qList(const std::vector<std::string> &items) {
    QStringList out;
    for (const std::string &item : items)
        out << q(item);
    return out;
}

// Creates every missing level of a relative folder below the data folder.
void makeFolders(const QString &appFolder, const QString &relative) {
    QString path;
    for (const QString &level : relative.split(u'\\')) {
        path += (path.isEmpty() ? QString() : QStringLiteral("\\")) + level;
        createFolder(dataPath(appFolder, path));
    }
}

// A list file gets the demo's lines it lacks; what it held stays, in its order.
void mergeList(const QString &appFolder, const QString &relative, const QStringList &lines) {
    const QString path = dataPath(appFolder, relative);
    QStringList merged = fileExists(path) ? textfile::readLines(path) : QStringList();
    for (const QString &line : lines)
        if (!merged.contains(line))
            merged << line;
    textfile::writeLines(path, merged);
}

// Brings a page into view through every tab widget above it.
void showPage(QWidget *page) {
    for (QWidget *child = page; child && child->parentWidget(); child = child->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(child->parentWidget()->parentWidget()))
            if (tabs->indexOf(child) >= 0)
                tabs->setCurrentWidget(child);
}

// The demo's data folder; `made` tells whether it is a fresh one of the demo's own.
QString chooseFolder(const QStringList &arguments, bool *made) {
    *made = false;
    const int at = arguments.indexOf(QStringLiteral("--data-dir"));
    if (at >= 0 && at + 1 < arguments.size())
        return chooseAppFolder({QStringLiteral("--data-dir"), arguments[at + 1]});
    // A program of the build tree keeps its demo beside the system's temporary files; an
    // installed one keeps it in the user's data folder, where its other data live too.
    const bool installed = dataFolderFor({}, QCoreApplication::applicationDirPath()) ==
                           withTrailingSeparator(userDataFolder());
    const QString parent = installed ? userDataFolder() : QDir::tempPath();
    QDir().mkpath(parent);
    QTemporaryDir fresh(parent + QStringLiteral("/kelvaro-demo-XXXXXX"));
    fresh.setAutoRemove(false); // removed with the demo, once the windows are gone
    *made = fresh.isValid();
    return fresh.isValid() ? withTrailingSeparator(fresh.path()) : QString();
}

} // namespace

bool requested(const QStringList &arguments) {
    return arguments.contains(QStringLiteral("--demo"));
}

QString refusalText(const QString &appFolder) {
    return QStringLiteral("Der Datenordner \"%1\" enthält bereits Kontoeinstellungen "
                          "(accounts\\account.txt). Die Demo überschreibt sie nicht und startet "
                          "nicht. Bitte einen leeren Ordner mit --data-dir angeben oder "
                          "--data-dir weglassen.")
        .arg(QDir::toNativeSeparators(appFolder));
}

QString bannerText(const QString &appFolder) {
    return QStringLiteral("DEMO: alle Dienste sind Platzhalter auf 127.0.0.1 mit Beispieldaten; "
                          "Datenordner %1")
        .arg(QDir::toNativeSeparators(appFolder));
}

std::unique_ptr<DemoMode> DemoMode::start(const QStringList &arguments, QString *refusal,
                                          int slowPageMs) {
    bool made = false;
    const QString folder = chooseFolder(arguments, &made);
    if (folder.isEmpty()) {
        *refusal = QStringLiteral("Für die Demo konnte kein Datenordner angelegt werden.");
        return nullptr;
    }
    if (fileExists(dataPath(folder, QStringLiteral("accounts\\account.txt")))) {
        *refusal = refusalText(folder);
        return nullptr;
    }
    std::unique_ptr<DemoMode> demo(new DemoMode(folder, slowPageMs));
    demo->ownsFolder_ = made;
    demo->fillDataFolder();
    demo->pointEnvironment();
    return demo;
}

DemoMode::DemoMode(const QString &appFolder, int slowPageMs)
    : appFolder_(appFolder), services_(slowPageMs) {}

DemoMode::~DemoMode() {
    // Windows made later in this process talk to the real services again.
    for (const auto &[name, value] : previousEnvironment_) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    // A fresh folder of the demo's own leaves with it; one named by --data-dir stays.
    if (ownsFolder_)
        QDir(appFolder_).removeRecursively();
}

void DemoMode::fillDataFolder() const {
    using namespace sandbox::demo;
    makeFolders(appFolder_, QStringLiteral("accounts"));
    // Written like the operator's own account file: readable by its owner only.
    const QStringList account = {q(services_.analyticsUrl()), q(kAnalyticsToken), q(kXoviKey),
                                 q(kSeokicksKey)};
    textfile::writeRaw(dataPath(appFolder_, QStringLiteral("accounts\\account.txt")),
                       account.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"),
                       textfile::Access::OwnerOnly);

    const QString project = q(kProject);
    makeFolders(appFolder_, QStringLiteral("reporting\\") + project);
    mergeList(appFolder_, QStringLiteral("reporting\\projekte.txt"), {project});
    mergeList(appFolder_, QStringLiteral("reporting\\") + project + QStringLiteral("\\domains.txt"),
              qList(projectDomains()));

    makeFolders(appFolder_, QStringLiteral("reporting\\xovi\\verlauf"));
    mergeList(appFolder_, QStringLiteral("reporting\\projekte_kw.txt"), {q(kMainDomain)});
    mergeList(appFolder_,
              QStringLiteral("reporting\\xovi\\verlauf\\") + q(kMainDomain) +
                  QStringLiteral(".txt"),
              qList(watchedKeywords()));
}

void DemoMode::pointEnvironment() {
    for (const char *name :
         {"KELVARO_XOVI_ENDPOINT", "KELVARO_SEOKICKS_ENDPOINT", "KELVARO_CA_FILE"})
        previousEnvironment_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name)
                                                                                : QByteArray());
    qputenv("KELVARO_XOVI_ENDPOINT", QByteArray::fromStdString(services_.xoviEndpoint()));
    qputenv("KELVARO_SEOKICKS_ENDPOINT", QByteArray::fromStdString(services_.seokicksEndpoint()));

    // The stand-in's certificate is trusted for this process only, next to whatever bundle the
    // operator already trusts.
    QByteArray bundle;
    const QString previousCaFile = qEnvironmentVariable("KELVARO_CA_FILE");
    if (!previousCaFile.isEmpty()) {
        QFile previous(previousCaFile);
        if (previous.open(QIODevice::ReadOnly))
            bundle = previous.readAll() + "\n";
    }
    bundle += QByteArray::fromStdString(services_.xoviCertificatePem());
    QFile file(caDir_.filePath(QStringLiteral("demo-ca-bundle.pem")));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bundle);
        file.close();
        qputenv("KELVARO_CA_FILE", QFile::encodeName(file.fileName()));
    }
}

void DemoMode::markWindows(Windows &windows) const {
    using namespace sandbox::demo;
    TForm1 *form = windows.form1.get();
    if (auto *tray = form->findChild<QSystemTrayIcon *>(QStringLiteral("TrayIcon1")))
        tray->setToolTip(form->workspace().WindowTitle + QStringLiteral(" – Demo"));
    if (QObject *overview = form->findChild<QObject *>(QStringLiteral("ueberblick")))
        QMetaObject::invokeMethod(overview, "setText", Q_ARG(QString, bannerText(appFolder_)));
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
        sitemap->setText(q(services_.sitemapUrl()));
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
