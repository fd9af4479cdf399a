#include "xovi/marker_lines.h"

#include "text/memo.h"

#include <algorithm>

namespace kf::xovi {

void forEachMarker(QStringView text, QStringView marker, const QList<int> &distances,
                   const std::function<void(const QList<QStringView> &values)> &found) {
    const QStringView lineEnd = u"\r\n";
    const int deepest =
        distances.isEmpty() ? 0 : *std::max_element(distances.begin(), distances.end());
    QList<QStringView> below(deepest + 1);
    QList<QStringView> values(distances.size());
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
        // A whole line: it starts the text or follows a line end, and a line end or the end of
        // the text follows it.
        const qsizetype end = at + marker.size();
        if ((at > 0 && (at < 2 || text.sliced(at - 2, 2) != lineEnd)) ||
            (end < text.size() && !text.sliced(end).startsWith(lineEnd)))
            continue;
        qsizetype cursor = end; // at the line end of the line before
        for (int k = 1; k <= deepest; ++k) {
            if (cursor >= text.size()) {
                below[k] = {};
                continue;
            }
            const qsizetype start = cursor + 2;
            qsizetype next = text.indexOf(lineEnd, start);
            if (next < 0)
                next = text.size();
            below[k] = text.sliced(start, next - start).left(Memo::kMaxLineRead);
            cursor = next;
        }
        for (int v = 0; v < distances.size(); ++v)
            values[v] = below[distances[v]];
        found(values);
    }
}

} // namespace kf::xovi
