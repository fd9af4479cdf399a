#include "app/application.h"
#include "app/data_folder.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // The main window alone ends the program: closing the crawler window while the main window
    // sits in the tray must not.
    app.setQuitOnLastWindowClosed(false);

    // Standard buttons read "OK", "Abbrechen", ...
    QTranslator qtTranslations;
    if (qtTranslations.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslations);

    Windows windows = createWindows(kf::chooseAppFolder(app.arguments()));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        windows.form1->move(screen->availableGeometry().topLeft());
    windows.form1->show();
    return app.exec();
}
