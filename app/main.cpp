#include "app/application.h"
#include "app/command_line.h"
#include "app/demo_mode.h"
#include "core/data_folder.h"
#include "core/dialogs.h"
#include "core/message_box.h"
#include "core/program_id.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication::setApplicationName(QLatin1String(kf::kApplicationName));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVARO_VERSION));
    // The desktop matches the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QLatin1String(kf::kDesktopId));
    if (const std::optional<int> answered = kf::app::answerInformationRequest(argc, argv))
        return *answered;

    QApplication app(argc, argv);
    // The main window alone ends the program: closing the crawler window while the main window
    // sits in the tray must not.
    app.setQuitOnLastWindowClosed(false);
    dialogs::useMessageBoxes();

    // Standard buttons read "OK", "Abbrechen", ...
    QTranslator qtTranslations;
    if (qtTranslations.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslations);

    // --demo: stand-ins of every service on 127.0.0.1 and a data folder of the demo's own. They
    // outlive the windows (declared first, destroyed last).
    std::unique_ptr<kf::demo::DemoMode> demo;
    QString appFolder;
    if (kf::demo::requested(app.arguments())) {
        QString refusal;
        demo = kf::demo::DemoMode::start(app.arguments(), &refusal);
        if (!demo) {
            std::fprintf(stderr, "%s\n", refusal.toLocal8Bit().constData());
            dialogs::showMessage(refusal);
            return 1;
        }
        appFolder = demo->appFolder();
    } else {
        appFolder = kf::chooseAppFolder(app.arguments());
    }

    Windows windows = createWindows(appFolder);
    if (demo)
        demo->markWindows(windows);
    windows.form1->show();
    // --demo-report NAME: one report filled and shown before anything else (the README's
    // pictures).
    if (demo)
        demo->showReport(windows, kf::demo::DemoMode::reportRequested(app.arguments()));

    // --screenshot FILE saves a picture of the main window once it is painted, then quits
    // (used for the README, under Xvfb or offscreen).
    const int shot = app.arguments().indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0 && shot + 1 < app.arguments().size()) {
        const QString file = app.arguments().at(shot + 1);
        windows.form1->resize(1100, 720); // room for a filled table or chart in the picture
        QTimer::singleShot(800, &app, [&windows, &app, file] {
            windows.form1->grab().save(file);
            app.quit();
        });
    }
    return app.exec();
}
