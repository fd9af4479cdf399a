#pragma once

#include <QString>
#include <functional>

namespace kf {

class Memo;

namespace xovi {

// Calls `found` with the index of every line of the memo that is exactly `marker`, in order, as
// a walk comparing line by line would, but by searching the text itself: a reply of many
// thousand lines is walked without making a string of every line.
void forEachMarkerLine(const Memo &memo, const QString &marker,
                       const std::function<void(int line)> &found);

} // namespace xovi
} // namespace kf
