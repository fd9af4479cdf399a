#include "sitemap/sitemap_reader.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <vector>

namespace kf::sitemap {

namespace {

struct QualifiedName {
    QStringView prefix;
    QStringView local;
};

QualifiedName split(QStringView name) {
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {QStringView(), name};
    return {name.left(colon), name.mid(colon + 1)};
}

bool named(QStringView name, const char *word) {
    return name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// Generators that print a blank line before the XML declaration are common; the declaration
// must come first, so leading white space (after a UTF-8 byte-order mark) is skipped.
QByteArray withoutLeadingSpace(const QByteArray &bytes) {
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const qsizetype afterMark = start;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t' ||
                                    bytes[start] == '\r' || bytes[start] == '\n'))
        ++start;
    return start == afterMark ? bytes : bytes.mid(start);
}

// A scheme ("http:", "mailto:") makes an address absolute; checked by hand, since nearly every
// address has one and a parse per address would cost more than the whole reading.
bool hasScheme(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(':'))
            return i > 0;
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        const bool other = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!letter && (i == 0 || !other))
            return false;
    }
    return false;
}

// An absolute address stays exactly as the sitemap writes it.
QString resolved(const QString &text, const QUrl &base) {
    if (hasScheme(text) || !base.isValid())
        return text;
    return base.resolved(QUrl(text, QUrl::TolerantMode)).toString();
}

} // namespace

SitemapContent readSitemap(const QByteArray &bytes, const QUrl &base) {
    SitemapContent content;
    QByteArray data = withoutLeadingSpace(bytes);
    // Read through a device: the reader then decodes a few kilobytes at a time instead of
    // holding the whole document as text.
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&device);
    // Prefixes are compared as written: a generator that forgets to declare one of its
    // extension prefixes must not stop the reading.
    xml.setNamespaceProcessing(false);

    QString rootPrefix;
    // For each open element from the root down (in the root's prefix): whether it is a url or
    // sitemap element, whose loc is collected. `foreign` counts the levels of other elements
    // (extensions) around the current one.
    std::vector<bool> path;
    int foreign = 0;
    bool rootEnded = false;
    const char *parent = nullptr; // "url" or "sitemap", by the root's kind

    while (!xml.atEnd() && !rootEnded) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QualifiedName name = split(xml.name());
            if (path.empty() && foreign == 0) {
                if (named(name.local, "urlset")) {
                    content.kind = SitemapKind::UrlSet;
                    parent = "url";
                } else if (named(name.local, "sitemapindex")) {
                    content.kind = SitemapKind::Index;
                    parent = "sitemap";
                } else {
                    return content; // another kind of document: nothing of it is collected
                }
                rootPrefix = name.prefix.toString();
                path.push_back(false);
                continue;
            }
            if (foreign > 0 || name.prefix != rootPrefix) {
                ++foreign;
                continue;
            }
            const bool isLoc = named(name.local, "loc");
            if (isLoc && path.back()) {
                QString text =
                    xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                // As a browser reads an address: tabs and line breaks inside it do not count
                // (and would split the list's line).
                text.removeIf([](QChar c) {
                    return c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
                           c == QLatin1Char('\n');
                });
                if (xml.hasError())
                    break;
                if (!text.isEmpty()) // an empty loc names nothing, not the sitemap itself
                    content.addresses.append(resolved(text, base));
                continue;
            }
            path.push_back(path.size() == 1 && named(name.local, parent));
        } else if (token == QXmlStreamReader::EndElement) {
            if (foreign > 0) {
                --foreign;
                continue;
            }
            path.pop_back();
            rootEnded = path.empty();
        }
    }
    if (content.kind == SitemapKind::NotSitemap)
        return content;
    if (!rootEnded)
        content.brokenAtLine = qMax<qint64>(1, xml.lineNumber());
    return content;
}

} // namespace kf::sitemap
