#include "trends/trend_files.h"

#include "core/data_folder.h"
#include "core/date_formats.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/text_file.h"

namespace kf::trends {

namespace {

// File names keep no separators: the same characters go as in the backlink report names.
QString withoutSeparators(QString text, bool quotes) {
    for (const QChar c : QStringLiteral(".:-/"))
        text.remove(c);
    if (quotes)
        text.remove(QLatin1Char('"'));
    return text;
}

} // namespace

QString watchedKeywordsFile(const Session &ws, const QString &domain) {
    return ws.path(QStringLiteral("reporting\\xovi\\verlauf\\") + domain + QStringLiteral(".txt"));
}

QStringList watchedKeywords(const Session &ws, const QString &domain) {
    const QString file = watchedKeywordsFile(ws, domain);
    return fileExists(file) ? textfile::readLines(file) : QStringList();
}

QString trendFileStem(const Session &ws, const QString &domain, int year, bool complete,
                      const QDate &today) {
    for (const char *folder : {"reporting", "reporting\\xovi", "reporting\\xovi\\verlauf"})
        createFolder(ws.path(QString::fromLatin1(folder)));
    QString name = withoutSeparators(domain, true) + QLatin1Char('_');
    if (year > 0)
        name += QString::number(year) + QLatin1Char('_');
    name += withoutSeparators(DateFormats::formatShort(today), false);
    if (!complete)
        name += QStringLiteral("_unvollstaendig");
    return ws.path(QStringLiteral("reporting\\xovi\\verlauf\\") + name);
}

void saveTrendTable(const StringGrid &grid, const QString &stem) {
    saveGridReport(grid, stem);
}

} // namespace kf::trends
