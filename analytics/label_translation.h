#pragma once

#include <cstdint>

namespace kf {

class Memo;

namespace analytics {

// Translates Piwik's English referrer labels in a memo ("Search Engines" -> "Suchmaschinen",
// "Direct Entry" -> "Direkt", "Websites" -> "Webseiten", any letter case, in that order).
// The result is that of translating the whole text every time, but text that an earlier call
// translated and that has not changed since (the memo's rewrite serial tells) is not scanned
// again, so translating after every appended block stays linear in the report's length.
class LabelTranslation {
public:
    void apply(Memo &memo);

private:
    // Everything before `translatedUpTo_` is translated, as long as the memo's rewrite serial
    // is still `serial_`. The position always follows a line break: no label spans one.
    int translatedUpTo_ = 0;
    std::uint64_t serial_ = 0;
    bool known_ = false;
};

} // namespace analytics
} // namespace kf
