#include "analytics/reply_rows.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <vector>

namespace kf::analytics {

namespace {

const QString kResult = QStringLiteral("result");
const QString kRow = QStringLiteral("row");
const QString kError = QStringLiteral("error");

// A value reads as its line of the tag-per-line text reads: up to a CR LF in it, and at most
// 4096 characters, so that it stays one line wherever it is shown.
constexpr qsizetype kLineLimit = 4096;

// The content of an element as written in the reply: from the end of its start tag to the
// start of its end tag. The reader stands on the end element; `start` is where the start tag
// ended. A self-closing element has no content.
QString rawContent(const QString &reply, const QXmlStreamReader &xml, qint64 start) {
    const qsizetype end = qsizetype(xml.characterOffset());
    const qsizetype endTag = reply.lastIndexOf(u'<', end - 1);
    if (endTag <= start)
        return {};
    QStringView content = QStringView(reply).mid(qsizetype(start), endTag - start);
    // A value the server wrapped whole in CDATA shows as its text, not with the wrapper.
    static const QLatin1String cdataOpen("<![CDATA["), cdataClose("]]>");
    if (content.startsWith(cdataOpen) && content.endsWith(cdataClose) &&
        content.indexOf(cdataClose) == content.size() - cdataClose.size())
        content =
            content.mid(cdataOpen.size(), content.size() - cdataOpen.size() - cdataClose.size());
    const qsizetype lineEnd = content.indexOf(QLatin1String("\r\n"));
    return content.left(lineEnd < 0 ? kLineLimit : std::min(lineEnd, kLineLimit)).toString();
}

// What an open element is to the walk.
enum class Kind : qint8 { Result, Row, Wanted, Other };

} // namespace

ReplyRows readReplyRows(const QString &reply, const QStringList &wanted) {
    ReplyRows out;
    QXmlStreamReader xml(reply);
    xml.setNamespaceProcessing(false);
    struct Open {
        Kind kind;
        qint16 wantedIndex;
        qint64 start;
    };
    std::vector<Open> open;
    int openRows = 0; // rows of a result being read (nested tables' rows are not counted)
    ReplyRow row;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.name();
            const Kind parent = open.empty() ? Kind::Other : open.back().kind;
            Open o{Kind::Other, -1, 0};
            if (parent == Kind::Row) {
                const qsizetype k = wanted.indexOf(name);
                if (k >= 0 && k < 64)
                    o = {Kind::Wanted, qint16(k), xml.characterOffset()};
            } else if (name == kRow && parent == Kind::Result) {
                o.kind = Kind::Row;
                ++openRows;
                row = ReplyRow{};
                row.values.resize(wanted.size());
            } else if (name == kResult && openRows == 0) {
                // Replies for several sites or dates wrap a result per site and date.
                o.kind = Kind::Result;
            } else if (name == kError && parent == Kind::Result) {
                out.error = xml.attributes().value(QStringLiteral("message")).toString();
            }
            open.push_back(o);
            break;
        }
        case QXmlStreamReader::EndElement: {
            const Open o = open.back();
            open.pop_back();
            if (o.kind == Kind::Wanted) {
                row.values[o.wantedIndex] = rawContent(reply, xml, o.start);
                row.present |= quint64(1) << o.wantedIndex;
            } else if (o.kind == Kind::Row) {
                --openRows;
                out.rows.append(std::move(row));
            }
            break;
        }
        default:
            break;
        }
    }
    return out;
}

QStringList readElementTexts(const QString &reply, const QString &name) {
    QStringList out;
    QXmlStreamReader xml(reply);
    xml.setNamespaceProcessing(false);
    std::vector<qint64> starts; // start of each open element called `name`, -1 for others
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            starts.push_back(xml.name() == name ? xml.characterOffset() : -1);
            break;
        case QXmlStreamReader::EndElement:
            if (starts.back() >= 0)
                out.append(rawContent(reply, xml, starts.back()));
            starts.pop_back();
            break;
        default:
            break;
        }
    }
    return out;
}

QString serverErrorOf(const QString &reply) {
    QXmlStreamReader xml(reply);
    xml.setNamespaceProcessing(false);
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::StartElement) {
            ++depth;
            // An error reply is "<result><error .../></result>"; a row means data.
            if (xml.name() == kRow)
                return {};
            if (xml.name() == kError && depth <= 2)
                return xml.attributes().value(QStringLiteral("message")).toString();
        }
    }
    return {};
}

} // namespace kf::analytics
