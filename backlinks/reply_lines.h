#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace kf::backlinks {

// A reply's own copy, read by the memo's line model (lines end only at CR LF, a last empty
// piece is no line, a line reads as at most 4096 characters, a line past the end as empty),
// without making a string per line: a walk over 20,000 records compares half a million lines.
class ReplyLines {
public:
    explicit ReplyLines(QString text);

    int count() const { return int(starts_.size()) - (lastPieceEmpty_ ? 1 : 0); }
    QStringView line(int i) const;

private:
    QString text_;
    std::vector<qsizetype> starts_;
    bool lastPieceEmpty_ = false;
};

} // namespace kf::backlinks
