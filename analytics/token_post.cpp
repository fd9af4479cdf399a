#include "analytics/token_post.h"

#include "analytics/referrer_method.h"
#include "analytics/reply_rows.h"

#include "core/session.h"
#include "net/cookie_store.h"
#include "net/url.h"
#include "text/memo.h"
#include "text/tag_per_line.h"

#include <QStringList>

#include <optional>

namespace kf::analytics {

namespace {

const QString kTokenParam = QStringLiteral("token_auth=");

// The server a request goes to: scheme, host, port and path, the query left out.
QString serverOf(const QString &url) {
    const net::UrlParts parts = net::splitUrl(url);
    return parts.scheme + QStringLiteral("://") + parts.host.toLower() + u':' +
           QString::number(parts.port) + QString::fromLatin1(net::pathOfTarget(parts.target));
}

} // namespace

TokenPost tokenPostOf(const QString &url) {
    TokenPost post;
    const qsizetype question = url.indexOf(u'?');
    if (question < 0) {
        post.address = url;
        return post;
    }
    QStringList kept;
    QString token;
    for (const QString &param : url.mid(question + 1).split(u'&')) {
        if (param.startsWith(kTokenParam)) {
            token = param.mid(kTokenParam.size());
            post.hadToken = true;
        } else {
            kept << param;
        }
    }
    post.address = url.left(question + 1) + kept.join(u'&');
    // The token goes out as the same bytes it had in the address.
    post.form = kTokenParam.toLatin1() + net::encodeUrlBytes(token);
    return post;
}

namespace {

// One request in the server's token form: the address form, or the POST form for a server
// that refused the token in the address.
QString fetchWithToken(Session &ws, const QString &url) {
    const TokenPost post = tokenPostOf(url);
    if (!post.hadToken)
        return ws.IdHTTP1.fetch(url);
    const QString server = serverOf(url);
    if (ws.tokenByPost.contains(server))
        return ws.IdHTTP1.post(post.address, post.form);
    try {
        return ws.IdHTTP1.fetch(url);
    } catch (const net::FetchError &e) {
        if (e.statusCode() != 401)
            throw;
        // Tokens made "secure only" are refused in the address. The server keeps the
        // address form unless the POST form is what it accepts.
        QString reply = ws.IdHTTP1.post(post.address, post.form);
        ws.tokenByPost.insert(server);
        return reply;
    }
}

// The body of a reply, also of one with an error status: some servers send their error reply
// with status 400. The failure is kept to be thrown once the body is looked at.
struct Answer {
    QString body;
    std::optional<net::FetchError> failure;
};
Answer answerOf(Session &ws, const QString &url) {
    try {
        return {fetchWithToken(ws, url), std::nullopt};
    } catch (const net::FetchAborted &) {
        throw;
    } catch (const net::FetchError &e) {
        return {e.body(), e};
    }
}

} // namespace

QString fetchIntoSpeich(Session &ws, const QString &url) {
    const QString server = serverOf(url);
    const bool oldName = asksOldReferrerTypes(url);
    const bool renamed = oldName && ws.todaysReferrerTypes.contains(server);
    Answer answer = answerOf(ws, renamed ? withTodaysReferrerTypes(url) : url);
    QString message = serverErrorOf(answer.body);
    if (oldName && !renamed && saysOldReferrerTypesMissing(message)) {
        // Asked once more by today's name, which the server then keeps for the process.
        ws.todaysReferrerTypes.insert(server);
        answer = answerOf(ws, withTodaysReferrerTypes(url));
        message = serverErrorOf(answer.body);
    }
    if (!message.isEmpty())
        ws.analyticsServerMessage = message;
    if (answer.failure)
        throw *answer.failure;

    Memo &speich = ws.speich();
    speich.setText(answer.body);
    toTagPerLine(speich);
    return answer.body;
}

void showServerMessage(Session &ws) {
    if (ws.analyticsServerMessage.isEmpty())
        return;
    ws.runs.setEndLine(QStringLiteral("Analytics-Server: ") + ws.analyticsServerMessage);
    ws.analyticsServerMessage.clear();
}

} // namespace kf::analytics
