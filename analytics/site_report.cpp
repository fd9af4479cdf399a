#include "analytics/site_report.h"
#include "analytics/report_replies.h"
#include "analytics/token_post.h"

#include "core/date_formats.h"
#include "core/handler_frame.h"
#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QRadioButton>

namespace kf::analytics {

void SiteReport::step() {
    const Controls &ui = ws_.ui;
    DateFormats::useIsoDates();
    ui.Edit1->setText(DateFormats::formatShort(ui.MonthCalendar1->selectedDate()));

    // The radio buttons form one group, so at most one builder runs.
    if (ui.overview_all->isChecked())
        ReferrerTypesReport();
    if (ui.Keywords_all->isChecked())
        ReferrerKeywordsReport();
    if (ui.Webseiten_all->isChecked())
        ReferrerWebsitesReport();
    if (ui.Check_SEO->isChecked())
        SeoRankRow();
    if (ui.LiveCheck->isChecked())
        LiveCountersReport();
    if (ui.einstieg->isChecked())
        EntryPagesReport();
}

void SiteReport::request(const QString &methodAndParams,
                         const std::function<void(const QString &reply)> &read) {
    ws_.RequestUrl = ws_.ui.URL->text() + QStringLiteral("index.php?module=API&method=") +
                     methodAndParams + QStringLiteral("&format=xml&token_auth=") +
                     ws_.ui.Token->text();
    Memo &speich = ws_.ui.speich->memo();
    speich.prepare();
    guarded([&] { read(analytics::fetchIntoSpeich(ws_, ws_.RequestUrl)); });
}

void SiteReport::EntryPagesReport() {
    Memo &ueberblick = ws_.ui.ueberblick->memo();
    request(QStringLiteral("Actions.getEntryPageUrls&idSite=") + ws_.SiteId + u'&' +
                ws_.PeriodParam + QStringLiteral("&date=") + ws_.ui.Edit1->text() +
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
                Memo &ueberblick = ws_.ui.ueberblick->memo();
                ueberblick.addLine(QStringLiteral("============="));
                ueberblick.addLine(QStringLiteral("Domain: ") + ws_.SiteName);
                ueberblick.addLine(QStringLiteral("Besuche: ") + live.visits);
                ueberblick.addLine(QStringLiteral("Besucher: ") + live.visitors);
                ueberblick.addLine(QStringLiteral("Aktionen: ") + live.actions);
            });
}

void SiteReport::SeoRankRow() {
    // The site address is followed by "/" directly, even when it ends with one.
    request(QStringLiteral("SEO.getRank&url=") + ws_.SiteName + u'/', [&](const QString &reply) {
        const SeoRanks ranks = seoRanks(reply);
        StringGrid &grid = ws_.ui.StringGrid3->grid();
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
