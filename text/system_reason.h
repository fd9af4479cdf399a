#pragma once

#include <QString>

namespace kf {

// The German text of the common reasons a file cannot be opened or written, so that a file
// error box reads as one language; any other reason stays as the system says it.
QString germanReason(const QString &systemText);

} // namespace kf
