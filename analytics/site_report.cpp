#include "analytics/site_report.h"
#include "analytics/report_replies.h"
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
                         const std::function<void(const QString &reply)> &read) {
    ws_.RequestUrl = settings_.server.url + QStringLiteral("index.php?module=API&method=") +
                     methodAndParams + QStringLiteral("&format=xml&token_auth=") +
                     settings_.server.token;
    Memo &speich = ws_.speich();
    speich.prepare();
    ws_.attempt([&] { read(analytics::fetchIntoSpeich(ws_, ws_.RequestUrl)); });
}

void SiteReport::EntryPagesReport() {
    Memo &ueberblick = ws_.ueberblick();
    request(QStringLiteral("Actions.getEntryPageUrls&idSite=") + ws_.SiteId + u'&' +
                ws_.PeriodParam + QStringLiteral("&date=") + reportDate_ +
                QStringLiteral("&expanded=1"),
            [&](const QString &reply) {
                ueberblick.prepare();
                for (const QString &url : entryPageUrls(reply))
                    ueberblick.addLine(url);
            });

    // Also after a failure: the count then is that of the lines left from before.
    ws_.setCaption(ws_.WindowTitle + u' ' + QString::number(ueberblick.lineCount()) +
                   QStringLiteral(" URLs gefunden..."));
}

void SiteReport::LiveCountersReport() {
    request(QStringLiteral("Live.getCounters&idSite=") + ws_.SiteId + u'&' + ws_.LiveMinutesParam,
            [&](const QString &reply) {
                const LiveCounters live = liveCounters(reply);
                Memo &ueberblick = ws_.ueberblick();
                ueberblick.addLine(QStringLiteral("============="));
                ueberblick.addLine(QStringLiteral("Domain: ") + ws_.SiteName);
                ueberblick.addLine(QStringLiteral("Besuche: ") + live.visits);
                ueberblick.addLine(QStringLiteral("Besucher: ") + live.visitors);
                ueberblick.addLine(QStringLiteral("Aktionen: ") + live.actions);
            });
}

void SiteReport::SeoRankRow(const AnalyticsServer &server) {
    settings_.server = server;
    SeoRankRow();
}

void SiteReport::SeoRankRow() {
    // The site address is followed by "/" directly, even when it ends with one.
    request(QStringLiteral("SEO.getRank&url=") + ws_.SiteName + u'/', [&](const QString &reply) {
        const SeoRanks ranks = seoRanks(reply);
        StringGrid &grid = ws_.grid3();
        const int r = grid.rowCount();
        grid.clearRow(r);
        grid.setCell(0, r, QString::number(r));
        grid.setCell(1, r, ws_.SiteName);
        for (int k = 0; k < 4; ++k)
            grid.setCell(2 + k, r, ranks[k]);
        grid.setRowCount(r + 1);
        FitColumns(grid, 40);
    });
}

} // namespace kf::analytics
