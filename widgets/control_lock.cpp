#include "widgets/control_lock.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace kf {

ControlLock::ControlLock(std::function<void()> onRefused, QObject *parent)
    : QObject(parent), onRefused_(std::move(onRefused)) {}

void ControlLock::add(QWidget *control) {
    widgets_.push_back({control, control->isEnabled()});
    watched_.insert(control, control);
    control->installEventFilter(this);
}

void ControlLock::add(QAction *entry) {
    entries_.push_back({entry, entry->isEnabled()});
    // A disabled entry of an open menu takes no click; its menu tells.
    for (QObject *holder : entry->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(holder); menu && !watched_.contains(menu)) {
            watched_.insert(menu, menu);
            menu->installEventFilter(this);
        }
}

void ControlLock::add(QAbstractItemView *list) {
    lists_.push_back({list, int(list->selectionMode())});
    watched_.insert(list->viewport(), list);
    list->viewport()->installEventFilter(this);
}

void ControlLock::add(QPlainTextEdit *memo) {
    memos_.push_back({memo, memo->isReadOnly()});
}

void ControlLock::setLocked(bool locked) {
    if (locked == locked_)
        return;
    locked_ = locked;
    // The state each control has when the lock comes is the one it gets back.
    for (Widget &w : widgets_) {
        if (!w.control)
            continue;
        if (locked)
            w.enabled = w.control->isEnabled();
        w.control->setEnabled(!locked && w.enabled);
    }
    for (Entry &e : entries_) {
        if (!e.action)
            continue;
        if (locked)
            e.enabled = e.action->isEnabled();
        e.action->setEnabled(!locked && e.enabled);
    }
    for (List &l : lists_) {
        if (!l.view)
            continue;
        if (locked)
            l.selectionMode = int(l.view->selectionMode());
        l.view->setSelectionMode(locked ? QAbstractItemView::NoSelection
                                        : QAbstractItemView::SelectionMode(l.selectionMode));
    }
    for (Memo &m : memos_) {
        if (!m.view)
            continue;
        if (locked)
            m.readOnly = m.view->isReadOnly();
        m.view->setReadOnly(locked || m.readOnly);
    }
}

bool ControlLock::eventFilter(QObject *watched, QEvent *event) {
    if (!locked_ || event->type() != QEvent::MouseButtonPress || !watched_.contains(watched))
        return QObject::eventFilter(watched, event);
    if (auto *menu = qobject_cast<QMenu *>(watched)) {
        const QAction *at = menu->actionAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        const bool refused = std::any_of(entries_.begin(), entries_.end(), [at](const Entry &e) {
            return at && e.action == at && e.enabled;
        });
        if (refused && onRefused_)
            onRefused_();
        return QObject::eventFilter(watched, event);
    }
    // A control that was enabled before the lock, or a list: the click would have acted.
    const auto it = std::find_if(widgets_.begin(), widgets_.end(),
                                 [watched](const Widget &w) { return w.control == watched; });
    if ((it == widgets_.end() || it->enabled) && onRefused_)
        onRefused_();
    return QObject::eventFilter(watched, event);
}

} // namespace kf
