#pragma once

#include <QDate>
#include <QStringList>

namespace kf {

struct Session;

namespace trends {

// The Sundays that end ISO weeks 1 to 52 of the year, as "yyyy-MM-dd" (a week 53 is never listed).
QStringList weekSundays(int year);

// "generiere Wochentag aus KWs": the six year files db\<year> and db\zeit.txt for the six years
// up to the year of `today`, built in speich. File errors propagate.
void generateDateTable(Session &ws, const QDate &today = QDate::currentDate());

// The dates of a year as its file db\<year> holds them; no file, no dates.
QStringList yearDates(const Session &ws, const QString &year);

} // namespace trends
} // namespace kf
