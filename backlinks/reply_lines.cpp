#include "backlinks/reply_lines.h"

#include "text/memo.h"

namespace kf::backlinks {

ReplyLines::ReplyLines(QString text) : text_(std::move(text)) {
    starts_.push_back(0);
    for (qsizetype at = text_.indexOf(QStringLiteral("\r\n")); at >= 0;
         at = text_.indexOf(QStringLiteral("\r\n"), at + 2))
        starts_.push_back(at + 2);
    lastPieceEmpty_ = starts_.back() == text_.size();
}

QStringView ReplyLines::line(int i) const {
    if (i < 0 || i >= count())
        return {};
    const qsizetype start = starts_[size_t(i)];
    const qsizetype end =
        size_t(i) + 1 < starts_.size() ? starts_[size_t(i) + 1] - 2 : text_.size();
    return QStringView(text_).mid(start, qMin<qsizetype>(end - start, Memo::kMaxLineRead));
}

} // namespace kf::backlinks
