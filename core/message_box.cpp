#include "core/message_box.h"

#include "core/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace dialogs {

namespace {
const QString kBoxTitle = QStringLiteral("Kelvaro Fennwick");

void showBox(const QString &text, bool isError) {
    QWidget *owner = QApplication::activeWindow();
    if (isError)
        QMessageBox::critical(owner, kBoxTitle, text);
    else
        QMessageBox::information(owner, kBoxTitle, text);
}
} // namespace

void useMessageBoxes() {
    setScreen(showBox);
}

} // namespace dialogs
