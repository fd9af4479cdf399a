#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace kf {

namespace net {
class FetchError;
class HttpClient;
} // namespace net

namespace backlinks {

// What fetching one linking page gave: the page's address (the list line), the HTTP status
// (0 when no reply came, with the failure text), the reply headers that matter here and the
// body bytes with the declared Content-Type.
struct PageReply {
    QString address;
    int status = 0;
    QString failure;
    QByteArray location;    // Location header
    QByteArray robotsTag;   // X-Robots-Tag header(s), several joined by ", "
    QByteArray contentType; // its charset is the declared one
    QByteArray body;
    bool fetched = false; // the fetch service handed the page's text over (a 2xx it accepts)
};

// The page's relation to the domain checked.
struct LinkFindings {
    QString redirectTarget; // the Location, resolved against the page's address
    bool hasLink = false;   // an <a href> to the domain's host or a subdomain of it
    QString linkTarget;     // that link, resolved
    QString rel;            // that link's rel as the page writes it ("" when it writes none)
    QString anchor;         // that link's text (an image's alt text when it has none)
    bool noindex = false;   // robots meta tag or X-Robots-Tag
    QString verdict;        // one of the texts below
};

inline const QString kLinkPresent = QStringLiteral("Link vorhanden");
inline const QString kLinkNofollow = QStringLiteral("Link nofollow");
inline const QString kMentionOnly = QStringLiteral("nur Erwähnung");
inline const QString kNoLink = QStringLiteral("kein Link");
inline const QString kRedirect = QStringLiteral("Weiterleitung");
inline const QString kPageMissing = QStringLiteral("Seite fehlt");
inline const QString kBlocked = QStringLiteral("blockiert");
inline const QString kUnreachable = QStringLiteral("nicht erreichbar");

// Classifies one page for the domain checked (a host such as "example.com", with or without
// scheme, "www." or path; its subdomains count as the domain). Only 2xx pages are parsed: 3xx is
// "Weiterleitung", 404/410 "Seite fehlt", 401/403/429 "blockiert", any other status or failure
// "nicht erreichbar". Links and mentions in comments, scripts and styles do not count; a link
// whose rel (or the page's robots rules) says nofollow, sponsored or ugc is "Link nofollow".
LinkFindings classifyPage(const PageReply &reply, const QString &domain);

// The reply as the fetch service hands it over today: the decoded text of a 2xx page, and
// optionally its Content-Type. The fetch decodes byte for byte unless the page declares UTF-8,
// so the bytes are recovered exactly.
PageReply replyFromText(const QString &address, const QString &text,
                        const QByteArray &contentType = QByteArray());
// A failed fetch: its status code, headers and body, or its failure text when no reply came.
PageReply replyFromError(const QString &address, const net::FetchError &error,
                         const QList<QPair<QByteArray, QByteArray>> &headers = {});

// Fetches the page once with the program's client and records what came back, whatever it was,
// with the reply's Location, X-Robots-Tag and Content-Type; `text` receives the page's text when
// the fetch succeeded (`fetched`). Nothing is thrown.
PageReply fetchPage(net::HttpClient &client, const QString &address, QString *text = nullptr);

// Whether the fetch service takes the text as an address to request (an http or https address
// it can split); any other list line fails before a request.
bool isFetchAddress(const QString &text);

// The details report's text for the status: the code, or the failure text.
QString statusText(const PageReply &reply);

} // namespace backlinks
} // namespace kf
