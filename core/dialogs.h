#pragma once

#include <QString>
#include <functional>

// Every modal message and error box of the program goes through here, so that tests can take
// the texts instead of blocking on a box.
namespace dialogs {

// With a sink set, each box's text goes to it exactly once and nothing is shown; an empty
// function restores the screen.
void setMessageSink(std::function<void(const QString &text)> sink);

void showMessage(const QString &text); // an information box with "OK"
void showError(const QString &text);   // the standard error box

// How the screen shows a box: the windows put message boxes here (core/message_box.h); without
// them a box's text goes to the standard error output.
using Screen = void (*)(const QString &text, bool isError);
void setScreen(Screen screen);

} // namespace dialogs
