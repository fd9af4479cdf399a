#include "batch/jobs.h"

#include "analytics/check_run.h"
#include "analytics/site_report.h"
#include "analytics/site_table.h"
#include "backlinks/backlink_fetch.h"
#include "backlinks/counter_check.h"
#include "core/data_folder.h"
#include "core/session.h"
#include "projects/project_files.h"
#include "sitemap/extraction.h"
#include "text/error.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "trends/date_table.h"
#include "trends/ranking_chart.h"
#include "trends/trend_analysis.h"
#include "trends/trend_files.h"
#include "xovi/keyword_lists.h"
#include "xovi/search_engines.h"
#include "xovi/seo_data_check.h"

#include <QDir>
#include <QUrl>

#include <cstdio>

namespace kf::batch {

namespace {

using analytics::ReportKind;

// The window's pauses, where the operator did not change them.
constexpr int kSitePauseMs = 1000;
constexpr int kCounterCheckPauseMs = 1000;
constexpr int kDemoCounterCheckPauseMs = 100; // the demo's "Checkfrequenz"

void requireAnalytics(const AccountSettings &account, const Session &s) {
    if (account.analyticsUrl.isEmpty())
        throw Error(QStringLiteral("Keine Adresse des Analyseservers in %1: bitte im Fenster "
                                   "unter \"Einstellungen\" eintragen und speichern.")
                        .arg(QDir::toNativeSeparators(s.path(kAccountFile))));
}

void requireKey(const QString &key, const QString &service, const Session &s) {
    if (key.isEmpty())
        throw Error(QStringLiteral("Kein %1-Schlüssel in %2: bitte im Fenster unter "
                                   "\"Einstellungen\" eintragen und speichern.")
                        .arg(service, QDir::toNativeSeparators(s.path(kAccountFile))));
}

// Rows of a grid below its `titleRows` whose cell in `col` holds text.
int filledRows(const StringGrid &grid, int col, int titleRows) {
    int rows = 0;
    for (int row = titleRows; row < grid.rowCount(); ++row)
        rows += !grid.cell(col, row).isEmpty();
    return rows;
}

QStringList domainsOf(const Session &s, const QString &project) {
    if (!projects::isFolderName(project))
        throw BadArguments{QStringLiteral("\"%1\" ist kein gültiger Projektname.").arg(project)};
    const QStringList domains = projects::projectDomains(s, project);
    if (domains.isEmpty())
        throw BadArguments{
            QStringLiteral("Das Projekt \"%1\" hat keine Domains (%2).")
                .arg(project, QDir::toNativeSeparators(projects::domainListPath(s, project)))};
    return domains;
}

// reporting\analytics\<name>: the folders made first.
QString analyticsReportStem(const Session &s, const QString &name) {
    for (const char *folder : {"reporting", "reporting\\analytics"})
        createFolder(s.path(QString::fromLatin1(folder)));
    return s.path(QStringLiteral("reporting\\analytics\\") + name);
}

// A stopped run never replaces a complete report.
QString marked(const QString &name, bool stopped) {
    return stopped ? name + QStringLiteral("_abgebrochen") : name;
}

JobResult sites(Session &s, const AccountSettings &account) {
    requireAnalytics(account, s);
    analytics::fetchSiteTable(s, {account.analyticsUrl, account.analyticsToken});
    return {filledRows(s.grid1(), 0, 0)};
}

JobResult report(const Options &o, Session &s, const AccountSettings &account,
                 const std::function<bool()> &stopRequested) {
    requireAnalytics(account, s);
    // A demo starts in a fresh folder: its sites are fetched first, as "Hole Ids" would.
    if (o.demo && !fileExists(s.path(analytics::kSiteFile)))
        analytics::fetchSiteTable(s, {account.analyticsUrl, account.analyticsToken});
    if (!fileExists(s.path(analytics::kSiteFile)))
        throw BadArguments{QStringLiteral("Keine Seitentabelle (%1): zuerst \"kelvaro-batch "
                                          "sites\" ausführen.")
                               .arg(QDir::toNativeSeparators(s.path(analytics::kSiteFile)))};
    analytics::loadSiteTable(s);
    const StringGrid &table = s.grid1();
    analytics::CheckRequest request;
    for (int row = 0; row < table.rowCount(); ++row)
        if (o.allSites || o.sites.contains(table.cell(0, row)))
            request.siteRows.append(row);
    for (const QString &id : o.sites)
        if (!columnTexts(table, 0).contains(id))
            throw BadArguments{
                QStringLiteral("Die Seite mit der Id \"%1\" steht nicht in der Seitentabelle.")
                    .arg(id)};
    request.periodText = o.periodText;
    request.liveMinutesText = QStringLiteral("Live-Check-Abfrage");
    request.report = {{account.analyticsUrl, account.analyticsToken}, o.kind, o.date, o.periodText};
    request.pauseMs = o.pauseMs.value_or(kSitePauseMs);

    analytics::SiteReport siteReport(s);
    const int done = analytics::CheckRun(s, siteReport).run(request);
    const bool stopped = stopRequested() || done < request.siteRows.size();

    const QString stem =
        analyticsReportStem(s, marked(o.kindName + u'_' + o.periodName + u'_' +
                                          o.date.toString(QStringLiteral("yyyy-MM-dd")),
                                      stopped));
    textfile::saveMemo(s.ueberblick(), stem + QStringLiteral(".txt"));
    const StringGrid *grid = o.kind == ReportKind::Keywords   ? &s.grid2()
                             : o.kind == ReportKind::Websites ? &s.grid4()
                             : o.kind == ReportKind::SeoData  ? &s.grid3()
                                                              : nullptr;
    if (!grid)
        return {s.ueberblick().lineCount()};
    saveGridReport(*grid, stem);
    return {grid->rowCount() - 1};
}

JobResult keywords(const Options &o, Session &s, const AccountSettings &account,
                   const std::function<bool()> &stopRequested) {
    const QStringList domains = domainsOf(s, o.project);
    requireKey(account.xoviKey, QStringLiteral("XOVI"), s);
    using Lists = xovi::KeywordLists;
    const Lists::Kind &kind = o.list == QLatin1String("alle")  ? Lists::allKeywords()
                              : o.list == QLatin1String("neu") ? Lists::newKeywords()
                                                               : Lists::lostKeywords();
    s.XoviKey = account.xoviKey;
    Lists lists(s);
    JobResult result;
    for (const QString &domain : domains) {
        if (stopRequested())
            break;
        if (lists.list(kind, {domain, xovi::engineTexts().first()}))
            result.rows += s.grid3().rowCount() - 1;
    }
    return result;
}

JobResult seoData(const Options &o, Session &s, const AccountSettings &account,
                  const std::function<bool()> &stopRequested) {
    const QStringList domains = domainsOf(s, o.project);
    requireAnalytics(account, s);
    analytics::SiteReport siteReport(s);
    const analytics::AnalyticsServer server{account.analyticsUrl, account.analyticsToken};
    xovi::CheckSeoData(
        s, domains, [&] { siteReport.SeoRankRow(server); }, o.pauseMs.value_or(kSitePauseMs));
    const QString stem = analyticsReportStem(
        s, marked(QStringLiteral("seo-daten_") + o.project + u'_' +
                      QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                  stopRequested()));
    saveGridReport(s.grid3(), stem);
    return {s.grid3().rowCount() - 1};
}

JobResult trendTable(const Options &o, Session &s, const AccountSettings &account) {
    // The window makes the date table at its first start.
    if (!folderExists(s.path(QStringLiteral("db"))))
        trends::generateDateTable(s);
    const QStringList dates = trends::yearDates(s, QString::number(o.year));
    if (dates.isEmpty())
        throw BadArguments{QStringLiteral("Für das Jahr %1 gibt es keine Wochentabelle (%2).")
                               .arg(o.year)
                               .arg(QDir::toNativeSeparators(
                                   s.path(QStringLiteral("db\\") + QString::number(o.year))))};
    const QStringList keywords =
        o.keywords.isEmpty() ? trends::watchedKeywords(s, o.domain) : o.keywords;
    if (keywords.isEmpty())
        throw BadArguments{
            QStringLiteral("Für die Domain \"%1\" werden keine Keywords beobachtet "
                           "(%2): bitte --keyword angeben.")
                .arg(o.domain, QDir::toNativeSeparators(trends::watchedKeywordsFile(s, o.domain)))};
    requireKey(account.xoviKey, QStringLiteral("XOVI"), s);
    QString domain = o.domain;
    domain.remove(QStringLiteral("http://"), Qt::CaseInsensitive);
    const bool complete = trends::TrendAnalysis(s).run(
        {domain, keywords, dates, account.xoviKey, xovi::engineTexts().first()});
    // Named as "Diagramm speichern" names the table: domain, year, date, and whether complete.
    const int year = trends::rankingHistory(s.grid5()).year;
    trends::saveTrendTable(s.grid5(), trends::trendFileStem(s, domain, year, complete));
    return {filledRows(s.grid5(), 1, 1)};
}

backlinks::BacklinkRequest backlinkRequest(const Options &o, const Session &s,
                                           const AccountSettings &account) {
    backlinks::BacklinkRequest request;
    const bool xovi = o.source == QLatin1String("xovi");
    request.source = xovi ? backlinks::BacklinkRequest::Source::Xovi
                          : backlinks::BacklinkRequest::Source::Seokicks;
    if (xovi)
        requireKey(account.xoviKey, QStringLiteral("XOVI"), s);
    else
        requireKey(account.seokicksKey, QStringLiteral("SEOkicks"), s);
    request.domain = o.domain;
    request.maxResults = o.maxResults;
    request.xoviKey = account.xoviKey;
    request.seokicksKey = account.seokicksKey;
    return request;
}

JobResult backlinkList(const Options &o, Session &s, const AccountSettings &account) {
    backlinks::BacklinkFetch fetch(s);
    fetch.fetch(backlinkRequest(o, s, account));
    return {s.grid5().rowCount() - 2};
}

JobResult counterCheck(const Options &o, Session &s, const AccountSettings &account,
                       const std::function<bool()> &stopRequested) {
    backlinks::BacklinkFetch fetch(s);
    StringGrid &grid = s.grid5();
    if (!o.list.isEmpty()) {
        if (!fileExists(o.list))
            throw BadArguments{QStringLiteral("Die Linkliste \"%1\" gibt es nicht.")
                                   .arg(QDir::toNativeSeparators(o.list))};
        // The list as a backlink fetch leaves it: one address a line in column 1.
        const QStringList lines = textfile::readLines(o.list);
        for (int row = 0; row < grid.rowCount(); ++row)
            grid.clearRow(row);
        grid.setColCount(3);
        grid.setRowCount(int(lines.size()));
        for (int row = 0; row < lines.size(); ++row)
            grid.setCell(1, row, lines[row]);
    } else {
        fetch.fetch(backlinkRequest(o, s, account));
        if (stopRequested())
            return {};
    }
    const int verdictCol = grid.colCount();
    const int pause = o.pauseMs.value_or(o.demo ? kDemoCounterCheckPauseMs : kCounterCheckPauseMs);
    backlinks::CounterCheck(s, fetch).run({o.domain, [pause] { return pause; }});
    return {filledRows(grid, verdictCol, 0)};
}

JobResult sitemapAddresses(const Options &o, Session &s) {
    Memo &found = s.memo1();
    // What the window's foot would say (an index not followed, child sitemaps that failed).
    sitemap::extractSitemap(s, found, {o.url, o.followIndex}, [](const QString &text) {
        if (!text.isEmpty())
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    // One file per site and day: reporting\sitemap\<host>_<date>.txt.
    QString host = QUrl::fromUserInput(o.url).host();
    if (!projects::isFolderName(host) || host.isEmpty())
        host = QStringLiteral("sitemap");
    for (const char *folder : {"reporting", "reporting\\sitemap"})
        createFolder(s.path(QString::fromLatin1(folder)));
    textfile::saveMemo(found, s.path(QStringLiteral("reporting\\sitemap\\") + host + u'_' +
                                     QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                                     QStringLiteral(".txt")));
    return {found.lineCount()};
}

} // namespace

JobResult runJob(const Options &o, Session &s, const AccountSettings &account,
                 const std::function<bool()> &stopRequested) {
    if (o.job == QLatin1String("sites"))
        return sites(s, account);
    if (o.job == QLatin1String("report"))
        return report(o, s, account, stopRequested);
    if (o.job == QLatin1String("keywords"))
        return keywords(o, s, account, stopRequested);
    if (o.job == QLatin1String("seo-data"))
        return seoData(o, s, account, stopRequested);
    if (o.job == QLatin1String("trends"))
        return trendTable(o, s, account);
    if (o.job == QLatin1String("backlinks"))
        return backlinkList(o, s, account);
    if (o.job == QLatin1String("counter-check"))
        return counterCheck(o, s, account, stopRequested);
    return sitemapAddresses(o, s);
}

} // namespace kf::batch
