#include "core/dialogs.h"

#include <cstdio>

namespace dialogs {

namespace {
std::function<void(const QString &)> &sink() {
    static std::function<void(const QString &)> s;
    return s;
}

void printed(const QString &text, bool) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

Screen &screen() {
    static Screen s = printed;
    return s;
}

void show(const QString &text, bool isError) {
    if (sink()) {
        sink()(text);
        return;
    }
    screen()(text, isError);
}
} // namespace

void setMessageSink(std::function<void(const QString &text)> s) {
    sink() = std::move(s);
}

void setScreen(Screen s) {
    screen() = s ? s : printed;
}

void showMessage(const QString &text) {
    show(text, false);
}

void showError(const QString &text) {
    show(text, true);
}

} // namespace dialogs
