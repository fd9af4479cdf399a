#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace kf {

struct Session;
class StringGrid;

namespace trends {

// The keywords watched for a domain: reporting\xovi\verlauf\<domain>.txt.
QString watchedKeywordsFile(const Session &session, const QString &domain);
QStringList watchedKeywords(const Session &session, const QString &domain); // none without file

// The common path of the saved chart and trend table, without extension, in
// reporting\xovi\verlauf (the folders are created first): the analysed domain, the year of the
// table's weeks (when a date tells it) and the date in the short format in force, without
// separators, and "_unvollstaendig" for a table a run left incomplete. Domain, year and date
// tell the files apart: the chart of 2025 never replaces that of 2026, nor an incomplete run a
// complete one.
QString trendFileStem(const Session &session, const QString &domain, int year, bool complete,
                      const QDate &today = QDate::currentDate());
// The trend table as <stem>.csv and <stem>.html. File errors propagate.
void saveTrendTable(const StringGrid &grid, const QString &stem);

} // namespace trends
} // namespace kf
