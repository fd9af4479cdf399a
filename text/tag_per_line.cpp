#include "text/tag_per_line.h"

#include "text/memo.h"
#include "text/replace_all.h"

namespace kf {

QString tagPerLine(const QString &reply) {
    // Both replacements in one pass: "<" gains a CR LF before it, ">" one after it. The result
    // is sized first and written in place, since replies can be large.
    qsizetype tags = 0;
    for (QChar c : reply)
        if (c == u'<' || c == u'>')
            ++tags;
    if (tags == 0)
        return reply;
    QString out;
    out.resize(reply.size() + 2 * tags);
    QChar *d = out.data();
    for (QChar c : reply) {
        if (c == u'<') {
            *d++ = u'\r';
            *d++ = u'\n';
            *d++ = c;
        } else if (c == u'>') {
            *d++ = c;
            *d++ = u'\r';
            *d++ = u'\n';
        } else {
            *d++ = c;
        }
    }
    return out;
}

void toTagPerLine(Memo &memo) {
    memo.setText(tagPerLine(memo.text()));
}

QString locPerLine(const QString &sitemap) {
    const QString opened = replacedAll(sitemap, QStringLiteral("<loc>"),
                                       QStringLiteral("<loc>\r\n"), Qt::CaseInsensitive);
    return replacedAll(opened, QStringLiteral("</loc>"), QStringLiteral("\r\n</loc>"),
                       Qt::CaseInsensitive);
}

} // namespace kf
