#pragma once

#include <QString>

namespace kf {

struct Session;

namespace xovi {

// "Credits abfragen": asks XOVI for the account's credit state with the key as typed and shows
// one message per "<creditsleft>" of the reply. Failures and error replies show nothing; the
// reply stays in speich.
void QueryXoviCredits(Session &session, const QString &key);

} // namespace xovi
} // namespace kf
