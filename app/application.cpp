#include "app/application.h"

Windows createWindows(const QString &appFolder) {
    Windows windows;
    windows.form1 = std::make_unique<TForm1>(appFolder);
    windows.form2 = std::make_unique<TForm2>(windows.form1->workspace());
    windows.form1->setCrawlerWindow(windows.form2.get());
    return windows;
}
