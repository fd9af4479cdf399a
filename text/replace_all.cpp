#include "text/replace_all.h"

namespace kf {

QString replacedAll(const QString &text, const QString &from, const QString &to,
                    Qt::CaseSensitivity cs, qsizetype fromOffset) {
    if (from.isEmpty())
        return text;
    qsizetype match = text.indexOf(from, qMax<qsizetype>(0, fromOffset), cs);
    if (match < 0)
        return text;
    QString out;
    out.reserve(text.size() + (to.size() > from.size() ? text.size() / 8 : 0));
    qsizetype done = 0;
    while (match >= 0) {
        out.append(QStringView(text).mid(done, match - done));
        out.append(to);
        done = match + from.size();
        match = text.indexOf(from, done, cs);
    }
    out.append(QStringView(text).mid(done));
    return out;
}

} // namespace kf
