#include "widgets/wheel_guard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace kf {

namespace {

class WheelGuard : public QObject {
public:
    explicit WheelGuard(QWidget *widget) : QObject(widget), widget_(widget) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != widget_ || event->type() != QEvent::Wheel)
            return false;
        const QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == widget_ || widget_->isAncestorOf(focus)))
            return false;
        // Ignored and taken: Qt hands the wheel on to the parent widgets.
        event->ignore();
        return true;
    }

private:
    QWidget *widget_;
};

} // namespace

void wheelOnlyWhenFocused(QWidget *widget) {
    widget->setFocusPolicy(Qt::StrongFocus); // the wheel alone does not focus it
    widget->installEventFilter(new WheelGuard(widget));
}

} // namespace kf
