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

} // namespace dialogs
