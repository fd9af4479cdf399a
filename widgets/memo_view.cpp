#include "widgets/memo_view.h"

#include "text/string_grid.h"

#include <QMetaObject>
#include <QScrollBar>
#include <algorithm>

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

QString MemoView::shownText(bool *cut) const {
    // The view breaks lines only at CR LF; a lone CR or LF shows as a blank. A reply of
    // megabytes would take the text widget seconds and hundreds of megabytes to lay out, so the
    // view shows its beginning and says how much it leaves out; the memo keeps everything.
    const QString &text = memo_.text();
    QString shown;
    shown.reserve(std::min<qsizetype>(text.size(), kMaxShownLines * 64));
    int lines = 0;
    qsizetype lineLength = 0;
    *cut = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
            lineLength = 0;
            if (++lines == kMaxShownLines) {
                *cut = i + 1 < text.size();
                break;
            }
            shown += u'\n';
        } else if (++lineLength <= kMaxShownLineLength) {
            shown += (c == u'\r' || c == u'\n') ? QChar(u' ') : c;
        } else if (lineLength == kMaxShownLineLength + 1) {
            shown += QChar(0x2026); // the rest of an overlong line is left out
            *cut = true;
        }
    }
    if (*cut && lines == kMaxShownLines)
        shown += QStringLiteral("\n[… %1 weitere Zeilen hier nicht angezeigt]")
                     .arg(memo_.lineCount() - kMaxShownLines);
    return shown;
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
    bool cut = false;
    const QString shown = shownText(&cut);
    // A view that shows only part of the text must not write the operator's edits back.
    setReadOnly(cut);
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
