#pragma once

namespace kf {

struct Workspace;

namespace xovi {

// "Credits abfragen": asks XOVI for the account's credit state with the key as typed and shows
// one message per "<creditsleft>" of the reply. Failures and error replies show nothing; the
// reply stays in speich.
void QueryXoviCredits(Workspace &ws);

} // namespace xovi
} // namespace kf
