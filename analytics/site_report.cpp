#include "analytics/site_report.h"
#include "analytics/token_post.h"

#include "core/date_formats.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

namespace kf::analytics {

void SiteReport::step(const ReportSettings &settings) {
    settings_ = settings;
    DateFormats::useIsoDates();
    reportDate_ = DateFormats::formatShort(settings.date);

    // The radio buttons form one group, so at most one builder runs.
    switch (settings.kind) {
    case ReportKind::Overview:
        ReferrerTypesReport();
        break;
    case ReportKind::Keywords:
        ReferrerKeywordsReport();
        break;
    case ReportKind::Websites:
        ReferrerWebsitesReport();
        break;
    case ReportKind::SeoData:
        SeoRankRow();
        break;
    case ReportKind::Live:
        LiveCountersReport();
        break;
    case ReportKind::EntryPages:
        EntryPagesReport();
        break;
    case ReportKind::None:
        break;
    }
}

void SiteReport::request(const QString &methodAndParams,
                         const std::function<void(const Memo &)> &read) {
    ws_.RequestUrl = settings_.server.url + QStringLiteral("index.php?module=API&method=") +
                     methodAndParams + QStringLiteral("&format=xml&token_auth=") +
                     settings_.server.token;
    Memo &speich = ws_.speich();
    speich.prepare();
    ws_.attempt([&] {
        analytics::fetchIntoSpeich(ws_, ws_.RequestUrl);
        read(speich);
    });
}

void SiteReport::EntryPagesReport() {
    Memo &ueberblick = ws_.ueberblick();
    request(QStringLiteral("Actions.getEntryPageUrls&idSite=") + ws_.SiteId + u'&' +
                ws_.PeriodParam + QStringLiteral("&date=") + reportDate_ +
                QStringLiteral("&expanded=1"),
            [&](const Memo &speich) {
                ueberblick.prepare();
                const int count = speich.lineCount();
                for (int i = 0; i < count; ++i)
                    if (speich.line(i) == QLatin1String("<url>"))
                        ueberblick.addLine(speich.line(i + 1));
            });

    // Also after a failure: the count then is that of the lines left from before.
    ws_.setCaption(ws_.WindowTitle + u' ' + QString::number(ueberblick.lineCount()) +
                   QStringLiteral(" URLs gefunden..."));
}

void SiteReport::LiveCountersReport() {
    request(QStringLiteral("Live.getCounters&idSite=") + ws_.SiteId + u'&' + ws_.LiveMinutesParam,
            [&](const Memo &speich) {
                // The single row's first four values stand on lines 8, 12, 16 and 20; the third is
                // not shown.
                Memo &ueberblick = ws_.ueberblick();
                ueberblick.addLine(QStringLiteral("============="));
                ueberblick.addLine(QStringLiteral("Domain: ") + ws_.SiteName);
                ueberblick.addLine(QStringLiteral("Besuche: ") + speich.line(8));
                ueberblick.addLine(QStringLiteral("Besucher: ") + speich.line(20));
                ueberblick.addLine(QStringLiteral("Aktionen: ") + speich.line(12));
            });
}

void SiteReport::SeoRankRow(const AnalyticsServer &server) {
    settings_.server = server;
    SeoRankRow();
}

void SiteReport::SeoRankRow() {
    // The site address is followed by "/" directly, even when it ends with one.
    request(QStringLiteral("SEO.getRank&url=") + ws_.SiteName + u'/', [&](const Memo &speich) {
        StringGrid &grid = ws_.grid3();
        // The rank of result row k stands on line 12 + 20k; the first four rows are shown.
        const int r = grid.rowCount();
        grid.clearRow(r);
        grid.setCell(0, r, QString::number(r));
        grid.setCell(1, r, ws_.SiteName);
        for (int k = 0; k < 4; ++k)
            grid.setCell(2 + k, r, speich.line(12 + 20 * k));
        grid.setRowCount(r + 1);
        FitColumns(grid, 40);
    });
}

} // namespace kf::analytics
