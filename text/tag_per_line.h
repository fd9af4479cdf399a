#pragma once

#include <QString>

namespace kf {

class Memo;

// Puts every tag of a reply on a line of its own: "<" becomes CR LF "<", then ">" becomes
// ">" CR LF. One linear pass.
QString tagPerLine(const QString &reply);
void toTagPerLine(Memo &memo);

// The sitemap variant: only the addresses inside loc elements get lines of their own.
QString locPerLine(const QString &sitemap);

} // namespace kf
