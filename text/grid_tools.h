#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QEventLoop;

namespace kf {

class Memo;
class StringGrid;

// Widens every column whose widest text measures more than `threshold` pixels to that width
// plus the grid line and a margin of 5. Narrower columns keep the width they have.
void FitColumns(StringGrid &grid, quint16 threshold);

// One grid row in the program's CSV line form: cells joined by ",", a cell quoted when it holds
// a double quote, a comma or a character from U+0001 to U+0020 (quotes inside doubled); a
// one-column grid writes an empty row as two double quotes.
QString gridCsvLine(const StringGrid &grid, int row);
// Every row of the grid in CSV line form, replacing the file at `path` (the caller's SavePath).
void SaveGridCsv(const StringGrid &grid, const QString &path);

// Fields of a site-file line: split at commas only, a field starting with a double quote read up
// to its closing quote (doubled quotes become one), a comma at the very end adds an empty field.
QStringList splitSiteLine(const QString &line);
// Loads the site file into a two-column grid, one row per line, then fits the columns at 40.
// A line with fewer than two fields stops the loading with "Listenindex überschreitet das
// Maximum (%d)"; the rows before it stay and the columns are not fitted. No file, no change.
void LoadSiteFile(StringGrid &grid, const QString &path);

// Cell text made safe for a report: & < > " become entities.
QString htmlEscaped(const QString &text);
// Replaces the memo's text with the grid as an HTML table, one tag per line.
void ExportGridHtml(const StringGrid &grid, Memo &memo);
// The grid as <stem>.csv and <stem>.html, the two forms of every table report. File errors
// propagate.
void saveGridReport(const StringGrid &grid, const QString &stem);

// Keeps the first occurrence of every text, in order; letter case counts.
void RemoveDuplicates(QStringList &items);

// Keeps the window working for `ms` milliseconds: events are processed as they come (handlers
// the operator triggers run to their end) and the call returns at the deadline.
void Pause(int ms);

// Runs `loop` (window events processed as they come) until `ms` milliseconds after the call or
// until something else quits it first. The event loop wakes timers up to a millisecond late, so
// the last two milliseconds are slept instead: a hundred-millisecond pause lasts a hundred, not
// a hundred and one.
void runLoopFor(QEventLoop &loop, int ms);

// A report table starting afresh: every cell emptied (hidden ones too), one title row with
// `titles`, as many columns as titles, fitted at 40.
void ResetReportGrid(StringGrid &grid, const QStringList &titles);

// The texts of one column, rows 0 to the last.
QStringList columnTexts(const StringGrid &grid, int col);

} // namespace kf
