#pragma once

#include <QString>

namespace kf::xovi {

// The XOVI API endpoint: scheme, host and leading path, ending in a slash. KELVARO_XOVI_ENDPOINT
// overrides the built-in one; it is read anew for every request.
QString endpoint();

// The endpoint followed by "index.php?key=".
QString baseAddress();

// Every XOVI request of the program: base address, key, "&service=" service, "&method=" method,
// the method's own parameters (each already introduced by "&", the domain first), and
// "&format=xml" last. Nothing is encoded here; the fetch sends blanks and non-ASCII
// characters percent-encoded.
QString requestUrl(const QString &key, const QString &service, const QString &method,
                   const QString &ownParameters = QString());

} // namespace kf::xovi
