#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace kf {

// The line model of a memo: the raw text, with lines separated only by CR LF.
// A lone CR or LF is an ordinary character. An index of line starts makes reading
// line i O(1) and appending a line O(1) amortised.
class Memo {
public:
    static constexpr int kMaxLineRead = 4096;

    const QString &text() const { return text_; }
    void setText(const QString &text);
    void clear();

    // Number of CR LF separated pieces, less one when the last piece is empty.
    int lineCount() const;
    // Line i cut to its first 4096 characters; empty at or beyond the end.
    QString line(int i) const;
    // Line i whole, for saving and copying.
    QString fullLine(int i) const;
    QStringList lines() const;

    // Appends text + CR LF; a text that does not end with CR LF gets one first.
    void addLine(const QString &line);
    void deleteLine(int i);

    // Both scroll bars on means no wrapping; every filler switches them on first.
    bool scrollBars() const { return scrollBars_; }
    void setScrollBars(bool on);

    // Empties the memo and switches on both scroll bars, as every caller does before a fetch.
    void prepare();

    // Replaces every occurrence of `from` at or after `fromOffset`.
    void replaceAll(const QString &from, const QString &to, Qt::CaseSensitivity cs,
                    int fromOffset = 0);

    // Counts every change that is not an append: a caller that remembers a position in the
    // text can tell whether the text before it may have changed.
    std::uint64_t rewriteSerial() const { return rewriteSerial_; }

    // Called after every change; the view coalesces these into one repaint per event-loop turn.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void rebuildIndex() const;
    void reindexFrom(int offset) const;
    void indexFrom(qsizetype from) const;
    void changed(bool rewrite);
    int pieceEnd(int i) const;

    QString text_;
    mutable std::vector<int> starts_{0}; // start offset of every piece; an empty text has one
    mutable bool indexValid_ = true;
    bool scrollBars_ = false;
    std::uint64_t rewriteSerial_ = 0;
    std::function<void()> listener_;
};

} // namespace kf
