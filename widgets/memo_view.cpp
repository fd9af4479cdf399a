#include "widgets/memo_view.h"

#include "text/string_grid.h"

#include <QMetaObject>
#include <QScrollBar>

MemoView::MemoView(const QString &name, QWidget *parent) : QPlainTextEdit(parent) {
    setObjectName(name);
    setFont(kf::programFont());
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_.setChangeListener([this] { modelChanged(); });
    connect(this, &QPlainTextEdit::textChanged, this, &MemoView::viewEdited);
}

void MemoView::modelChanged() {
    if (syncing_)
        return;
    viewStale_ = true;
    if (!syncQueued_) {
        syncQueued_ = true;
        QMetaObject::invokeMethod(this, &MemoView::syncView, Qt::QueuedConnection);
    }
}

void MemoView::showEvent(QShowEvent *event) {
    QPlainTextEdit::showEvent(event);
    if (viewStale_)
        syncView();
}

void MemoView::syncView() {
    syncQueued_ = false;
    if (memo_.scrollBars() != scrollBarsShown_) {
        scrollBarsShown_ = memo_.scrollBars();
        const auto policy = scrollBarsShown_ ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        setHorizontalScrollBarPolicy(policy);
        setVerticalScrollBarPolicy(policy);
        setLineWrapMode(scrollBarsShown_ ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }
    if (!viewStale_ || !isVisible())
        return;
    // The view breaks lines only at CR LF; a lone CR or LF shows as a blank.
    const QString &text = memo_.text();
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            shown += u'\n';
            ++i;
        } else {
            shown += (c == u'\r' || c == u'\n') ? QChar(u' ') : c;
        }
    }
    syncing_ = true;
    setPlainText(shown);
    syncing_ = false;
    viewStale_ = false;
}

void MemoView::viewEdited() {
    if (syncing_)
        return;
    QString text = toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    syncing_ = true;
    memo_.setText(text);
    syncing_ = false;
}
