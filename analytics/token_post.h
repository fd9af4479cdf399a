#pragma once

#include <QString>

namespace kf {
struct Session;
}

namespace kf::analytics {

// The road of every analytics request: like Session::fetchIntoSpeich, except that a server
// answering 401 to a request with token_auth in its address gets it once more as a POST with
// token_auth in a form body, and from then on gets every request that way. A server that
// accepts the address form sees exactly the requests it always saw.
void fetchIntoSpeich(Session &ws, const QString &url);

// The address without its token_auth parameters, and the form body that carries the token.
struct TokenPost {
    QString address;
    QByteArray form;
    bool hadToken = false;
};
TokenPost tokenPostOf(const QString &url);

} // namespace kf::analytics
