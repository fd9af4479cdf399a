#pragma once

class QWidget;

namespace kf {

// The mouse wheel turns the widget's value only while the widget has the keyboard focus; over
// an unfocused widget it scrolls what holds it (the side column of panels), so that scrolling
// past a combo box never changes its text behind the operator's back. A click still focuses it.
void wheelOnlyWhenFocused(QWidget *widget);

} // namespace kf
