#pragma once

#include <QString>

namespace kf {
struct Session;
}

namespace kf::analytics {

// The road of every analytics request: like Session::fetchIntoSpeich, except that
// - a server answering 401 to a request with token_auth in its address gets it once more as a
//   POST with token_auth in a form body, and from then on gets every request that way;
// - a server answering Referers.getRefererType with "method does not exist" gets it once more
//   as Referrers.getReferrerType, and from then on gets that name;
// - the message of an error reply is kept in ws.analyticsServerMessage for the run's end.
// A server that knows the old requests sees exactly the requests it always saw.
// Returns the reply as received (speich holds its tag-per-line text).
QString fetchIntoSpeich(Session &ws, const QString &url);

// After a run: the status bar names the last error reply of an analytics server, if any.
void showServerMessage(Session &ws);

// The address without its token_auth parameters, and the form body that carries the token.
struct TokenPost {
    QString address;
    QByteArray form;
    bool hadToken = false;
};
TokenPost tokenPostOf(const QString &url);

} // namespace kf::analytics
