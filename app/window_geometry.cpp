#include "app/window_geometry.h"

#include "core/data_folder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace kf {

namespace {
const QString kGeometryKey = QStringLiteral("Hauptfenster/Geometrie");
} // namespace

void restoreWindowGeometry(QWidget *window, const QString &appFolder, QSize firstSize) {
    const QString file = dataPath(appFolder, kWindowSettings);
    if (fileExists(file)) {
        const QSettings settings(file, QSettings::IniFormat);
        if (window->restoreGeometry(settings.value(kGeometryKey).toByteArray()))
            return;
    }
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(firstSize);
        return;
    }
    // The frame (title bar and borders) needs room too; it is only known once shown, so this
    // is a fair guess.
    const QRect room = screen->availableGeometry().adjusted(0, 0, -16, -40);
    window->resize(firstSize.boundedTo(room.size()));
    window->move(screen->availableGeometry().topLeft());
}

void saveWindowGeometry(const QWidget *window, const QString &appFolder) {
    if (!folderExists(dataPath(appFolder, QStringLiteral("accounts"))))
        return;
    QSettings settings(dataPath(appFolder, kWindowSettings), QSettings::IniFormat);
    settings.setValue(kGeometryKey, window->saveGeometry());
    settings.sync();
}

} // namespace kf
