#include "app/application.h"
#include "core/data_folder.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTimer>
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

    // --screenshot FILE saves a picture of the main window once it is painted, then quits
    // (used for the README, under Xvfb or offscreen).
    const int shot = app.arguments().indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0 && shot + 1 < app.arguments().size()) {
        const QString file = app.arguments().at(shot + 1);
        QTimer::singleShot(800, &app, [&windows, &app, file] {
            windows.form1->grab().save(file);
            app.quit();
        });
    }
    return app.exec();
}
