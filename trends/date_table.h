#pragma once

#include <QDate>
#include <QStringList>

namespace kf {

struct Workspace;

namespace trends {

// The Sundays that end ISO weeks 1 to 52 of the year, as "yyyy-MM-dd" (a week 53 is never listed).
QStringList weekSundays(int year);

// "generiere Wochentag aus KWs": the six year files db\<year> and db\zeit.txt for the six years
// up to the year of `today`, built in speich. File errors propagate.
void generateDateTable(Workspace &ws, const QDate &today = QDate::currentDate());

// auswahl_jahrChange: the dates of the year typed or chosen go into ListBox3 when its file exists.
void chooseYear(Workspace &ws);

} // namespace trends
} // namespace kf
