#pragma once

#include <QString>

namespace kf::analytics {

// Servers released since 2013 know the referrer kinds only as Referrers.getReferrerType and
// answer the old name with an error reply; the module's other methods keep their old names.

// Whether the request asks for the referrer kinds by their old method name.
bool asksOldReferrerTypes(const QString &url);
// The same request with today's method name, everything else unchanged.
QString withTodaysReferrerTypes(const QString &url);
// Whether a server's error message says that the old method does not exist.
bool saysOldReferrerTypesMissing(const QString &serverMessage);

} // namespace kf::analytics
