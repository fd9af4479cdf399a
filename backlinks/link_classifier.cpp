#include "backlinks/link_classifier.h"

#include "backlinks/link_page_scan.h"
#include "net/body_decoding.h"
#include "net/http_client.h"
#include "net/url.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

namespace kf::backlinks {

namespace {

// A host as the comparisons read it, after the URL standard's host processing: percent-escapes
// decoded, Unicode normalised (a decomposed "u" and diaeresis is "ü"), lower case, without the
// trailing dot of a fully written name ("www.example.com."), an international name in its ACE
// form ("xn--..."), so that a page may write it any of these ways.
QString comparableHost(const QString &host) {
    QString h = host;
    if (h.contains(u'%'))
        h = QString::fromUtf8(QByteArray::fromPercentEncoding(h.toUtf8()));
    h = h.toLower();
    if (h.endsWith(u'.'))
        h.chop(1);
    // An ASCII name is its own ACE form (and the conversion is slow enough to matter here).
    if (std::all_of(h.cbegin(), h.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return h;
    h = h.normalized(QString::NormalizationForm_C);
    const QByteArray ace = QUrl::toAce(h);
    return ace.isEmpty() ? h : QString::fromLatin1(ace);
}

// The host of the domain checked, comparable and without "www.": the bare domain and all its
// subdomains (www. among them) count as the domain.
QString domainHost(const QString &domain) {
    QString text = domain.trimmed();
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("http://"));
    QString host = QUrl(text).host();
    if (host.isEmpty())
        host = domain.trimmed();
    host = comparableHost(host);
    if (host.startsWith(QLatin1String("www.")))
        host = host.mid(4);
    return host;
}

bool isDomainHost(const QString &host, const QString &domain) {
    const QString h = comparableHost(host);
    return !domain.isEmpty() &&
           (h == domain || (h.endsWith(domain) && h[h.size() - domain.size() - 1] == u'.'));
}

// The address as the URL standard reads it before parsing: without the control characters and
// blanks around it and without any tab or newline inside it, and, for a web address, with
// every backslash before its query or fragment read as a slash ("http:\\host\\seite").
QString webHref(const QString &href) {
    // Most addresses need none of this: they come back as written, without a copy.
    const bool plain =
        std::none_of(
            href.cbegin(), href.cend(),
            [](QChar c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\\'; }) &&
        (href.isEmpty() || (href.front().unicode() > 0x20 && href.back().unicode() > 0x20));
    if (plain)
        return href;
    QString h;
    h.reserve(href.size());
    for (const QChar c : href)
        if (c != u'\t' && c != u'\n' && c != u'\r')
            h += c;
    qsizetype from = 0, to = h.size();
    while (from < to && h[from].unicode() <= 0x20)
        ++from;
    while (to > from && h[to - 1].unicode() <= 0x20)
        --to;
    h = h.mid(from, to - from);
    const qsizetype colon = h.indexOf(u':');
    const QString scheme = colon > 0 ? h.left(colon).toLower() : QString();
    const bool web = colon <= 0 || scheme == QLatin1String("http") ||
                     scheme == QLatin1String("https") || scheme.contains(u'/') ||
                     scheme.contains(u'\\');
    if (!web || !h.contains(u'\\'))
        return h;
    qsizetype end = h.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (end < 0)
        end = h.size();
    for (qsizetype i = 0; i < end; ++i)
        if (h[i] == u'\\')
            h[i] = u'/';
    return h;
}

// The charset a <meta> of the page's first bytes declares ("" when none does).
QByteArray metaCharset(const QByteArray &body) {
    static const QRegularExpression meta(
        QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_:.+-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = meta.match(QString::fromLatin1(body.left(4096)));
    return m.hasMatch() ? m.captured(1).toLatin1() : QByteArray();
}

bool isUtf8(const QByteArray &name) {
    const QByteArray n = name.trimmed().toLower();
    return n == "utf-8" || n == "utf8" || n == "unicode-1-1-utf-8";
}

bool isUtf16(const QByteArray &name) {
    return name.startsWith("utf-16") || name.startsWith("utf16") || name == "unicode" ||
           name == "ucs-2" || name == "unicodefffe" || name == "csunicode";
}

// The page as UTF-8, decided as browsers do: a byte-order mark first, then the charset the
// header declares, then a meta tag's. A meta tag cannot declare UTF-16 (an ASCII page that
// says so is read as UTF-8), and UTF-7 is no encoding of the web: such a declaration counts as
// none. Undeclared, a page is UTF-8 when its bytes are valid UTF-8, else Windows-1252.
QByteArray toUtf8(const QByteArray &body, const QByteArray &contentType) {
    if (body.startsWith("\xEF\xBB\xBF"))
        return body.mid(3);
    if (body.startsWith("\xFF\xFE") || body.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16, QStringDecoder::Flag::ConvertInitialBom);
        return QString(decoder.decode(body)).toUtf8();
    }
    const QByteArray declared[] = {net::charsetOf(contentType), metaCharset(body)};
    for (int i = 0; i < 2; ++i) {
        QByteArray charset = declared[i].trimmed().toLower();
        if (charset.isEmpty() || charset.startsWith("utf-7") || charset == "utf7")
            continue;
        if (isUtf8(charset) || (i == 1 && isUtf16(charset)))
            return body;
        // Browsers read Latin-1, ASCII and user-defined pages as Windows-1252.
        if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii" ||
            charset == "ascii" || charset == "x-user-defined")
            charset = "windows-1252";
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return QString(decoder.decode(body)).toUtf8();
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(body);
    if (!utf8.hasError())
        return body;
    QStringDecoder cp1252("windows-1252");
    return QString(cp1252.decode(body)).toUtf8();
}

// Robots rules: "noindex" or "none" in a list such as "noindex, nofollow" or
// "googlebot: noindex".
bool hasRobotsRule(const QString &rules, QLatin1String rule) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;:]+"));
    const QStringList tokens = rules.toLower().split(separators, Qt::SkipEmptyParts);
    return tokens.contains(rule) || tokens.contains(QLatin1String("none"));
}

bool relSaysNofollow(const QString &rel) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList tokens = rel.toLower().split(blanks, Qt::SkipEmptyParts);
    return tokens.contains(QLatin1String("nofollow")) ||
           tokens.contains(QLatin1String("sponsored")) || tokens.contains(QLatin1String("ugc"));
}

// The host named in the text as a word of its own ("myexample.com" does not name example.com).
bool mentions(const QString &text, const QString &host) {
    if (host.isEmpty())
        return false;
    const auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'-'; };
    for (qsizetype at = text.indexOf(host, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(host, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + host.size();
        const bool startOk = at == 0 || !isNameChar(text[at - 1]);
        const bool endOk =
            after >= text.size() ||
            !(isNameChar(text[after]) || (text[after] == u'.' && after + 1 < text.size() &&
                                          text[after + 1].isLetterOrNumber()));
        if (startOk && endOk)
            return true;
    }
    return false;
}

void classifyContent(const PageReply &reply, const QString &host, LinkFindings &out) {
    const QUrl page(reply.address.trimmed());
    const QByteArray utf8 = toUtf8(reply.body, reply.contentType);
    const PageScan scan = scanPage(std::string_view(utf8.constData(), utf8.size()));

    bool pageNofollow =
        hasRobotsRule(QString::fromLatin1(reply.robotsTag), QLatin1String("nofollow"));
    out.noindex = hasRobotsRule(QString::fromLatin1(reply.robotsTag), QLatin1String("noindex"));
    for (const QString &rules : scan.robots) {
        out.noindex = out.noindex || hasRobotsRule(rules, QLatin1String("noindex"));
        pageNofollow = pageNofollow || hasRobotsRule(rules, QLatin1String("nofollow"));
    }

    const QUrl base = scan.hasBase ? page.resolved(QUrl(webHref(scan.baseHref))) : page;
    const PageAnchor *found = nullptr;
    for (const PageAnchor &anchor : scan.anchors) {
        const QUrl target = base.resolved(QUrl(webHref(anchor.href)));
        const QString scheme = target.scheme().toLower();
        if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
            !isDomainHost(target.host(), host))
            continue;
        // A followed link outranks a nofollow one; among equals the first counts.
        if (!found || (relSaysNofollow(found->rel) && !relSaysNofollow(anchor.rel))) {
            found = &anchor;
            out.linkTarget = target.toString();
        }
    }
    if (found) {
        out.hasLink = true;
        out.rel = found->rel;
        out.anchor = scan.anchorText(*found);
        out.verdict = relSaysNofollow(found->rel) || pageNofollow ? kLinkNofollow : kLinkPresent;
    } else {
        // The page may name an international domain in either form.
        const QString named = QUrl::fromAce(host.toLatin1(), QUrl::IgnoreIDNWhitelist);
        out.verdict = mentions(scan.visibleText, host) || mentions(scan.visibleText, named)
                          ? kMentionOnly
                          : kNoLink;
    }
}

} // namespace

LinkFindings classifyPage(const PageReply &reply, const QString &domain) {
    LinkFindings out;
    const int status = reply.status;
    if (!reply.location.isEmpty())
        out.redirectTarget = QUrl(reply.address.trimmed())
                                 .resolved(QUrl(QString::fromUtf8(reply.location).trimmed()))
                                 .toString();
    out.noindex = hasRobotsRule(QString::fromLatin1(reply.robotsTag), QLatin1String("noindex"));
    if (status >= 200 && status < 300)
        classifyContent(reply, domainHost(domain), out);
    else if (status >= 300 && status < 400)
        out.verdict = kRedirect;
    else if (status == 404 || status == 410)
        out.verdict = kPageMissing;
    else if (status == 401 || status == 403 || status == 429)
        out.verdict = kBlocked;
    else
        out.verdict = kUnreachable;
    return out;
}

PageReply replyFromText(const QString &address, const QString &text,
                        const QByteArray &contentType) {
    PageReply reply;
    reply.address = address;
    reply.status = 200;
    reply.contentType = contentType;
    // The fetch decodes byte for byte unless the page declared UTF-8: a character above
    // U+00FF can only come from a UTF-8 page.
    const bool wide =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
    if (isUtf8(net::charsetOf(contentType)) || wide) {
        reply.body = text.toUtf8();
        if (contentType.isEmpty())
            reply.contentType = "text/html; charset=utf-8";
    } else {
        reply.body = text.toLatin1();
    }
    return reply;
}

namespace {

QByteArray lastValue(const net::HeaderLines &headers, const char *name) {
    QByteArray value;
    for (const auto &[n, v] : headers)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            value = v;
    return value;
}

// The headers the classification reads besides the Content-Type: the Location and every
// X-Robots-Tag line.
void takeHeaders(PageReply &reply, const net::HeaderLines &headers) {
    QList<QByteArray> robots;
    for (const auto &[name, value] : headers)
        if (name.compare("X-Robots-Tag", Qt::CaseInsensitive) == 0)
            robots.append(value);
    reply.robotsTag = robots.join(", ");
    reply.location = lastValue(headers, "Location");
}

} // namespace

PageReply replyFromError(const QString &address, const net::FetchError &error,
                         const net::HeaderLines &headers) {
    if (error.statusCode() == 0) {
        PageReply reply;
        reply.address = address;
        reply.failure = error.message();
        return reply;
    }
    // The body was decoded like a page's: its bytes come back the same way.
    PageReply reply = replyFromText(address, error.body(), lastValue(headers, "Content-Type"));
    reply.status = error.statusCode();
    takeHeaders(reply, headers);
    return reply;
}

PageReply fetchPage(net::HttpClient &client, const QString &address, QString *text) {
    try {
        const QString page = client.fetch(address);
        const net::HeaderLines headers = client.lastHeaders();
        // The declared charset tells how the fetch decoded the page, so its bytes come back.
        PageReply reply = replyFromText(address, page, lastValue(headers, "Content-Type"));
        takeHeaders(reply, headers);
        reply.fetched = true;
        if (text)
            *text = page;
        return reply;
    } catch (const net::FetchError &error) {
        return replyFromError(address, error, client.lastHeaders());
    } catch (const std::exception &e) {
        PageReply reply;
        reply.address = address;
        reply.failure = errorText(e);
        return reply;
    }
}

bool isFetchAddress(const QString &text) {
    try {
        net::splitUrl(text);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

QString statusText(const PageReply &reply) {
    return reply.status > 0 ? QString::number(reply.status) : reply.failure;
}

} // namespace kf::backlinks
