#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <functional>

namespace kf::xovi {

// Walks a memo's text (lines end only at CR LF) for lines that are exactly `marker`, in order,
// and hands over the lines at the given distances below each, each cut to the memo's
// 4096 characters and empty past the end, as reading those lines from the memo would. It
// searches the text itself: a reply of half a million lines is walked without a string or an
// index entry for every line.
void forEachMarker(QStringView text, QStringView marker, const QList<int> &distances,
                   const std::function<void(const QList<QStringView> &values)> &found);

} // namespace kf::xovi
