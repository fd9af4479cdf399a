#pragma once

#include <QDate>
#include <QString>

namespace kf::backlinks {

// The SEOkicks inlink service: scheme, host and port without a trailing slash. The environment
// variable KELVARO_SEOKICKS_ENDPOINT overrides the built-in one; it is read for every request.
QString seokicksEndpoint();

// The domain text as it goes into a report name: every ".", ":", "-", "/" and '"' removed.
QString domainPart(const QString &domainText);
// The date in the short date format in force, without ".", ":", "-" and "/".
QString datePart(const QDate &date = QDate::currentDate());
// domain part + "_" + date part: the stem of the backlink reports and the found file.
QString fileStem(const QString &domainText, const QDate &date = QDate::currentDate());

// The counter-check's details report beside its found file (`foundStem`, the found file's path
// without ".txt"): "_xovi" or "_seokicks" when the list came from that fetch (`source` in
// lower case, "" otherwise), "_abgebrochen" for a cancelled run, then "_details", so that
// neither another source nor a cancelled run replaces a complete report.
QString detailsStem(const QString &foundStem, const QString &source, bool cancelled);

// A whole decimal number as the operator typed it; anything else fails with the error box text
// "'<text>' ist kein gültiger Integerwert".
int wholeNumber(const QString &text);

} // namespace kf::backlinks
