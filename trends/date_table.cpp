#include "trends/date_table.h"

#include "core/data_folder.h"
#include "core/session.h"
#include "text/text_file.h"

namespace kf::trends {

QStringList weekSundays(int year) {
    // Week 1 holds the year's first Thursday, so its Monday is the Monday on or before 4 January.
    const QDate fourth(year, 1, 4);
    const QDate firstMonday = fourth.addDays(1 - fourth.dayOfWeek());
    QStringList dates;
    for (int week = 1; week <= 52; ++week)
        dates.append(
            firstMonday.addDays(7 * (week - 1) + 6).toString(QStringLiteral("yyyy-MM-dd")));
    return dates;
}

void generateDateTable(Session &ws, const QDate &today) {
    Memo &speich = ws.speich();
    const int current = today.year();
    for (int year = current - 5; year <= current; ++year) {
        speich.prepare();
        for (const QString &date : weekSundays(year))
            speich.addLine(date);
        const QString db = ws.path(QStringLiteral("db"));
        if (!folderExists(db))
            createFolder(db);
        textfile::saveMemo(speich, ws.path(QStringLiteral("db\\") + QString::number(year)));
    }
    speich.prepare();
    for (int year = current - 5; year <= current; ++year) {
        speich.addLine(QString::number(year));
        textfile::saveMemo(speich, ws.path(QStringLiteral("db\\zeit.txt")));
    }
}

QStringList yearDates(const Session &ws, const QString &year) {
    const QString file = ws.path(QStringLiteral("db\\") + year);
    if (!fileExists(file))
        return {};
    return textfile::readLines(file);
}

} // namespace kf::trends
