#include "xovi/marker_lines.h"

#include "text/memo.h"

namespace kf::xovi {

void forEachMarkerLine(const Memo &memo, const QString &marker,
                       const std::function<void(int line)> &found) {
    static const QString lineEnd = QStringLiteral("\r\n");
    const QStringView text = memo.text();
    const int lines = memo.lineCount(); // taken once, before the walk
    // A marker line starts the text or follows a line end, and ends the text or a line end
    // follows it.
    int line = 0;
    qsizetype counted = 0; // line ends before this offset are in `line`
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
        const bool starts = at == 0 || (at >= 2 && text.sliced(at - 2, 2) == lineEnd);
        const qsizetype end = at + marker.size();
        const bool ends = end == text.size() || text.sliced(end).startsWith(lineEnd);
        if (!starts || !ends)
            continue;
        line += int(text.sliced(counted, at - counted).count(lineEnd));
        counted = at;
        if (line >= lines)
            return;
        found(line);
    }
}

} // namespace kf::xovi
