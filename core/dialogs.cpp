#include "core/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace dialogs {

namespace {
std::function<void(const QString &)> &sink() {
    static std::function<void(const QString &)> s;
    return s;
}

QWidget *owner() {
    return QApplication::activeWindow();
}

const QString kBoxTitle = QStringLiteral("Kelvaro Fennwick");
} // namespace

void setMessageSink(std::function<void(const QString &text)> s) {
    sink() = std::move(s);
}

void showMessage(const QString &text) {
    if (sink()) {
        sink()(text);
        return;
    }
    QMessageBox::information(owner(), kBoxTitle, text);
}

void showError(const QString &text) {
    if (sink()) {
        sink()(text);
        return;
    }
    QMessageBox::critical(owner(), kBoxTitle, text);
}

} // namespace dialogs
