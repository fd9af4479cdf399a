#include "sandbox/demo_setup.h"

#include "core/data_folder.h"
#include "sandbox/demo_data.h"
#include "text/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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

QString DemoSetup::chooseDataFolder(const QStringList &arguments, QString *refusal, bool *made) {
    const QString folder = chooseFolder(arguments, made);
    if (folder.isEmpty()) {
        *refusal = QStringLiteral("Für die Demo konnte kein Datenordner angelegt werden.");
        return {};
    }
    if (fileExists(dataPath(folder, QStringLiteral("accounts\\account.txt")))) {
        *refusal = refusalText(folder);
        return {};
    }
    return folder;
}

std::unique_ptr<DemoSetup> DemoSetup::start(const QStringList &arguments, QString *refusal,
                                            int slowPageMs) {
    bool made = false;
    const QString folder = chooseDataFolder(arguments, refusal, &made);
    if (folder.isEmpty())
        return nullptr;
    return std::unique_ptr<DemoSetup>(new DemoSetup(folder, slowPageMs, made));
}

DemoSetup::DemoSetup(const QString &appFolder, int slowPageMs, bool ownsFolder)
    : appFolder_(appFolder), ownsFolder_(ownsFolder), services_(slowPageMs) {
    fillDataFolder();
    pointEnvironment();
}

DemoSetup::~DemoSetup() {
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

void DemoSetup::fillDataFolder() const {
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

void DemoSetup::pointEnvironment() {
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

} // namespace kf::demo
