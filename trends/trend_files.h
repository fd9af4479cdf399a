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

// The common path of the saved chart and trend table, without extension: the analysed domain
// and the date in the short format in force, without separators, in reporting\xovi\verlauf
// (the folders are created first).
QString trendFileStem(const Session &session, const QString &domain,
                      const QDate &today = QDate::currentDate());
// The trend table as <stem>.csv and <stem>.html. File errors propagate.
void saveTrendTable(const StringGrid &grid, const QString &stem);

} // namespace trends
} // namespace kf
