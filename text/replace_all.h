#pragma once

#include <QString>

namespace kf {

// Every occurrence of `from` at or after `fromOffset` replaced by `to`, in one pass that builds
// the result once (QString::replace with a longer replacement moves the tail per match).
QString replacedAll(const QString &text, const QString &from, const QString &to,
                    Qt::CaseSensitivity cs, qsizetype fromOffset = 0);

} // namespace kf
