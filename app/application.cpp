#include "app/application.h"

#include "core/message_box.h"
#include "widgets/program_icon.h"

#include <QApplication>

Windows createWindows(const QString &appFolder) {
    // Every window of the program shows its icon, message boxes without an owner too.
    QApplication::setWindowIcon(kf::programIcon());
    dialogs::useMessageBoxes();
    Windows windows;
    windows.form1 = std::make_unique<TForm1>(appFolder);
    windows.form2 = std::make_unique<TForm2>(windows.form1->workspace());
    windows.form1->setCrawlerWindow(windows.form2.get());
    // "Extrakt" and "Übertrag" wait for the main window's runs, and it for theirs.
    for (const char *name : {"Edit1", "Button1", "Button2"})
        windows.form1->lockWhileRunning(
            windows.form2->findChild<QWidget *>(QString::fromLatin1(name)));
    return windows;
}
