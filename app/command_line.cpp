#include "app/command_line.h"

#include "core/data_folder.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

namespace kf::app {

QString helpText(const QString &dataFolder) {
    return QStringLiteral(
               "Aufruf: kelvaro [OPTIONEN]\n"
               "Kelvaro Fennwick: Berichte zu SEO und Web-Traffic aus Piwik, XOVI und SEOkicks.\n"
               "\n"
               "Optionen:\n"
               "  --data-dir ORDNER    Datenordner (wird angelegt, wenn er fehlt)\n"
               "  --demo               Demo mit eingebauten Ersatzdiensten auf 127.0.0.1,\n"
               "                       in einem neuen Ordner im temporären Ordner\n"
               "                       (oder im leeren Ordner von --data-dir)\n"
               "  --demo-report NAME   in der Demo einen Bericht zeigen: keywords oder trend\n"
               "  --screenshot DATEI   ein Bild des Hauptfensters speichern und beenden\n"
               "  -h, --help           diese Hilfe zeigen\n"
               "  --version            die Version zeigen\n"
               "\n"
               "Umgebung:\n"
               "  KELVARO_DATA_DIR     Datenordner, wenn --data-dir fehlt\n"
               "  KELVARO_CA_FILE      zusätzliche CA-Zertifikate für HTTPS\n"
               "  KELVARO_XOVI_ENDPOINT, KELVARO_SEOKICKS_ENDPOINT\n"
               "                       andere Adressen der XOVI- und SEOkicks-Dienste\n"
               "\n"
               "Ohne --data-dir und KELVARO_DATA_DIR liegen die Daten im Ordner des Programms;\n"
               "ein installiertes Programm nimmt den Datenordner des Benutzers.\n"
               "Datenordner: %1\n")
        .arg(QDir::toNativeSeparators(dataFolder));
}

QString versionText() {
    return QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() +
           u'\n';
}

std::optional<int> answerInformationRequest(int argc, char **argv) {
    bool help = false, version = false;
    for (int i = 1; i < argc; ++i) {
        help |= !std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h");
        version |= !std::strcmp(argv[i], "--version");
    }
    if (!help && !version)
        return std::nullopt;
    // The folder of the program is known only to an application object; a core one needs no
    // display.
    QCoreApplication core(argc, argv);
    const QString text =
        help ? helpText(dataFolderInUse(QCoreApplication::arguments())) : versionText();
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace kf::app
