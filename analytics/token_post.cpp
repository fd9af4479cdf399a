#include "analytics/token_post.h"

#include "core/session.h"
#include "net/cookie_store.h"
#include "net/url.h"
#include "text/memo.h"
#include "text/tag_per_line.h"

#include <QStringList>

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

void fetchIntoSpeich(Session &ws, const QString &url) {
    const TokenPost post = tokenPostOf(url);
    if (!post.hadToken) {
        ws.fetchIntoSpeich(url);
        return;
    }
    const QString server = serverOf(url);
    QString reply;
    if (ws.tokenByPost.contains(server)) {
        reply = ws.IdHTTP1.post(post.address, post.form);
    } else {
        try {
            reply = ws.IdHTTP1.fetch(url);
        } catch (const net::FetchError &e) {
            if (e.statusCode() != 401)
                throw;
            // Tokens made "secure only" are refused in the address. The server keeps the
            // address form unless the POST form is what it accepts.
            reply = ws.IdHTTP1.post(post.address, post.form);
            ws.tokenByPost.insert(server);
        }
    }
    Memo &speich = ws.speich();
    speich.setText(reply);
    toTagPerLine(speich);
}

} // namespace kf::analytics
