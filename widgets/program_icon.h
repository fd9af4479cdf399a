#pragma once

#include <QIcon>

namespace kf {

// The program's own icon (an SVG compiled in as a resource), for the windows and the tray.
QIcon programIcon();

} // namespace kf
