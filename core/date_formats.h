#pragma once

#include <QDate>
#include <QString>

namespace kf {

// The process-wide short and long date formats in force (Qt date patterns). They start as the
// system's regional formats; the per-site report step switches them to ISO dates for the rest
// of the process.
class DateFormats {
public:
    static QString shortFormat();
    static QString longFormat();
    static QString dateSeparator();
    static void useIsoDates(); // "-", "yyyy-MM-dd", "dddd, yyyy-MM-dd"
    static void resetToSystem();

    static QString formatShort(const QDate &date);
    static QString formatLong(const QDate &date);
};

} // namespace kf
