#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractItemView;
class QAction;
class QPlainTextEdit;
class QWidget;

namespace kf {

// The controls of a window that are refused while a long run goes. Locked, a list keeps its
// selection and scrolls but takes no new one, a memo is read-only but scrolls and copies, and
// every other control or menu entry is disabled; unlocked, each gets back the state it had.
// A click on a locked control calls `onRefused`, so the window can say why nothing happens.
class ControlLock : public QObject {
public:
    explicit ControlLock(std::function<void()> onRefused, QObject *parent = nullptr);

    void add(QWidget *control);
    void add(QAction *entry);
    void add(QAbstractItemView *list);
    void add(QPlainTextEdit *memo);

    void setLocked(bool locked);
    bool locked() const { return locked_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Widget {
        QPointer<QWidget> control;
        bool enabled = true;
    };
    struct Entry {
        QPointer<QAction> action;
        bool enabled = true;
    };
    struct List {
        QPointer<QAbstractItemView> view;
        int selectionMode = 0;
    };
    struct Memo {
        QPointer<QPlainTextEdit> view;
        bool readOnly = false;
    };

    std::function<void()> onRefused_;
    std::vector<Widget> widgets_;
    std::vector<Entry> entries_;
    std::vector<List> lists_;
    std::vector<Memo> memos_;
    // The watched objects a click on which is refused: the widget itself, a list's viewport.
    QHash<QObject *, QObject *> watched_;
    bool locked_ = false;
};

} // namespace kf
