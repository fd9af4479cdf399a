#include "text/tag_per_line.h"

#include "text/memo.h"

namespace kf {

QString tagPerLine(const QString &reply)
{
    // Both replacements in one pass: "<" gains a CR LF before it, ">" one after it.
    qsizetype tags = 0;
    for (QChar c : reply)
        if (c == u'<' || c == u'>')
            ++tags;
    QString out;
    out.reserve(reply.size() + 2 * tags);
    for (QChar c : reply) {
        if (c == u'<') {
            out += u'\r';
            out += u'\n';
            out += c;
        } else if (c == u'>') {
            out += c;
            out += u'\r';
            out += u'\n';
        } else {
            out += c;
        }
    }
    return out;
}

void toTagPerLine(Memo &memo)
{
    memo.setText(tagPerLine(memo.text()));
}

QString locPerLine(const QString &sitemap)
{
    QString out = sitemap;
    out.replace(QStringLiteral("<loc>"), QStringLiteral("<loc>\r\n"), Qt::CaseInsensitive);
    out.replace(QStringLiteral("</loc>"), QStringLiteral("\r\n</loc>"), Qt::CaseInsensitive);
    return out;
}

} // namespace kf
