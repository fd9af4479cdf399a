#pragma once

#include "core/dialogs.h"
#include "text/error.h"

#include <exception>
#include <utility>

namespace kf {

// Every handler runs inside this frame: an error that leaves the handler becomes the standard
// error box with the error's text, and the window goes on working.
template <class Handler> void runHandler(Handler &&handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &e) {
        dialogs::showError(errorText(e));
    } catch (...) {
        dialogs::showError(QStringLiteral("Unbekannter Fehler"));
    }
}

// Runs a step whose failures are dropped without a message; what was done before stays.
template <class Step> bool guarded(Step &&step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace kf
