#pragma once

namespace dialogs {

// The windows' boxes: from now on every message and error is a modal box on the active window.
void useMessageBoxes();

} // namespace dialogs
