#include "text/memo.h"
#include "text/replace_all.h"

namespace kf {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

void Memo::setText(const QString &text) {
    text_ = text;
    indexValid_ = false;
    changed(true);
}

void Memo::clear() {
    if (text_.isEmpty())
        return;
    text_.clear();
    indexValid_ = false;
    changed(true);
}

void Memo::rebuildIndex() const {
    starts_.assign(1, 0);
    indexFrom(0);
}

void Memo::reindexFrom(int offset) const {
    // Pieces that start at or before the offset end before it and stay as they are; a CR LF
    // pair that ends at or after the offset is looked for again.
    while (starts_.size() > 1 && starts_.back() > offset)
        starts_.pop_back();
    indexFrom(qMax(0, offset - 1));
}

void Memo::indexFrom(qsizetype from) const {
    const QChar *data = text_.constData();
    const qsizetype n = text_.size();
    for (qsizetype i = from; i + 1 < n; ++i) {
        if (data[i] == u'\r' && data[i + 1] == u'\n') {
            starts_.push_back(int(i + 2));
            ++i;
        }
    }
    indexValid_ = true;
}

int Memo::lineCount() const {
    if (!indexValid_)
        rebuildIndex();
    int pieces = int(starts_.size());
    if (starts_.back() == text_.size())
        --pieces; // the last piece is empty
    return pieces;
}

int Memo::pieceEnd(int i) const {
    // Pieces before the last end two characters before the next start (the CR LF).
    if (i + 1 < int(starts_.size()))
        return starts_[i + 1] - 2;
    return int(text_.size());
}

QString Memo::fullLine(int i) const {
    if (i < 0 || i >= lineCount())
        return {};
    return text_.mid(starts_[i], pieceEnd(i) - starts_[i]);
}

QString Memo::line(int i) const {
    if (i < 0 || i >= lineCount())
        return {};
    return text_.mid(starts_[i], qMin(pieceEnd(i) - starts_[i], kMaxLineRead));
}

QStringList Memo::lines() const {
    QStringList out;
    const int n = lineCount();
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append(fullLine(i));
    return out;
}

void Memo::addLine(const QString &line) {
    if (!indexValid_)
        rebuildIndex();
    if (!text_.isEmpty() && !text_.endsWith(kCrLf)) {
        text_ += kCrLf;
        starts_.push_back(int(text_.size()));
    }
    const int base = int(text_.size());
    text_ += line;
    text_ += kCrLf;
    // A line may itself hold CR LF pairs; each starts a piece of its own.
    for (qsizetype p = line.indexOf(kCrLf); p >= 0; p = line.indexOf(kCrLf, p + 2))
        starts_.push_back(base + int(p) + 2);
    starts_.push_back(int(text_.size()));
    changed(false);
}

void Memo::deleteLine(int i) {
    if (i < 0 || i >= lineCount())
        return;
    const int start = starts_[i];
    const int end = (i + 1 < int(starts_.size())) ? starts_[i + 1] : int(text_.size());
    text_.remove(start, end - start);
    indexValid_ = false;
    changed(true);
}

void Memo::setScrollBars(bool on) {
    if (scrollBars_ == on)
        return;
    scrollBars_ = on;
    changed(false);
}

void Memo::prepare() {
    clear();
    setScrollBars(true);
}

void Memo::replaceAll(const QString &from, const QString &to, Qt::CaseSensitivity cs,
                      int fromOffset) {
    if (from.isEmpty() || fromOffset >= text_.size())
        return;
    fromOffset = qMax(0, fromOffset);
    qsizetype first = text_.indexOf(from, fromOffset, cs);
    if (first < 0)
        return;
    text_ = replacedAll(text_, from, to, cs, first);
    // Only the index past the first match needs redoing: a report that translates its labels
    // after every appended block stays linear in its length.
    if (indexValid_)
        reindexFrom(int(first));
    changed(true);
}

void Memo::changed(bool rewrite) {
    if (rewrite)
        ++rewriteSerial_;
    if (listener_)
        listener_();
}

} // namespace kf
