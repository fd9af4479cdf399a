#pragma once

// The main window's size and position, kept in the data folder beside the account settings
// (in a file of its own, never in the account file).

#include <QSize>
#include <QString>

class QWidget;

namespace kf {

// Where the geometry is kept, relative to the data folder.
inline const QString kWindowSettings = QStringLiteral("accounts\\fenster.ini");

// Gives the window the size and position it had when it was last closed, kept whole on a
// screen; the first time, `firstSize` (as much of it as the screen holds) at the screen's
// top-left corner.
void restoreWindowGeometry(QWidget *window, const QString &appFolder, QSize firstSize);
// Keeps the window's size and position for the next start. A folder that cannot be written is
// no error: the window then opens as the first time.
void saveWindowGeometry(const QWidget *window, const QString &appFolder);

} // namespace kf
