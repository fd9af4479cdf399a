#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kf {

class Memo;

// Every list, settings and report file of the program is read and written here.
// Writing: Windows-1252 when every character fits, else UTF-8 with a byte-order mark; every
// line followed by CR LF; the file replaced through a temporary file and a rename.
// Reading: a byte-order mark selects UTF-8 or UTF-16, else valid UTF-8 is read as UTF-8 and
// anything else as Windows-1252; CR LF, a lone LF or a lone CR each end a line.
namespace textfile {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Throw kf::Error with "Datei %s kann nicht geöffnet werden. %s".
QStringList readLines(const QString &path);
// The file's lines, each followed by CR LF, as a memo holds them after a load.
QString readText(const QString &path);
void loadMemo(Memo &memo, const QString &path);

// Throw kf::Error with "Datei "%s" kann nicht erstellt werden. %s".
void writeLines(const QString &path, const QStringList &lines);
// Who may read a written file: everyone the system allows, or its owner alone (files that
// hold access keys).
enum class Access { Shared, OwnerOnly };

// Writes the memo's whole text; a last line without CR LF gets one.
void saveMemo(const Memo &memo, const QString &path, Access access = Access::Shared);
void writeRaw(const QString &path, const QString &text, Access access = Access::Shared);
// UTF-8 whatever the characters, for reports read by other programs (a spreadsheet shows the
// umlauts of a CSV with a byte-order mark).
void writeUtf8(const QString &path, const QString &text, bool byteOrderMark);

QString cannotCreateText(const QString &path, const QString &reason);
QString cannotOpenText(const QString &path, const QString &reason);

} // namespace textfile
} // namespace kf
