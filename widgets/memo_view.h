#pragma once

#include "text/memo.h"

#include <QPlainTextEdit>

// A memo control: shows a kf::Memo and writes the operator's edits back (each visual line break
// becomes CR LF). Changes to the model are shown once per event-loop turn, and only while the
// control is visible, so filling it line by line never repaints per line.
class MemoView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoView(const QString &name, QWidget *parent = nullptr);

    // What the view shows at most; the memo itself holds any amount.
    static constexpr int kMaxShownLines = 100000;
    static constexpr int kMaxShownLineLength = 20000;

    kf::Memo &memo() { return memo_; }
    const kf::Memo &memo() const { return memo_; }

    Q_INVOKABLE QString text() const { return memo_.text(); }
    Q_INVOKABLE void setText(const QString &text) { memo_.setText(text); }
    Q_INVOKABLE int lineCount() const { return memo_.lineCount(); }
    Q_INVOKABLE QString line(int i) const { return memo_.line(i); }
    Q_INVOKABLE void clear() { memo_.clear(); }
    Q_INVOKABLE void addLine(const QString &line) { memo_.addLine(line); }
    Q_INVOKABLE bool scrollBars() const { return memo_.scrollBars(); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString shownText(bool *cut) const;
    void modelChanged();
    void syncView();
    void viewEdited();

    kf::Memo memo_;
    bool syncQueued_ = false;
    bool viewStale_ = true;
    bool syncing_ = false;
    bool scrollBarsShown_ = false;
};
