#include "analytics/site_report.h"
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
                         const std::function<void(const Memo &)> &read) {
    ws_.RequestUrl = ws_.ui.URL->text() + QStringLiteral("index.php?module=API&method=") +
                     methodAndParams + QStringLiteral("&format=xml&token_auth=") +
                     ws_.ui.Token->text();
    Memo &speich = ws_.ui.speich->memo();
    speich.prepare();
    guarded([&] {
        analytics::fetchIntoSpeich(ws_, ws_.RequestUrl);
        read(speich);
    });
}

void SiteReport::EntryPagesReport() {
    Memo &ueberblick = ws_.ui.ueberblick->memo();
    request(QStringLiteral("Actions.getEntryPageUrls&idSite=") + ws_.SiteId + u'&' +
                ws_.PeriodParam + QStringLiteral("&date=") + ws_.ui.Edit1->text() +
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
                Memo &ueberblick = ws_.ui.ueberblick->memo();
                ueberblick.addLine(QStringLiteral("============="));
                ueberblick.addLine(QStringLiteral("Domain: ") + ws_.SiteName);
                ueberblick.addLine(QStringLiteral("Besuche: ") + speich.line(8));
                ueberblick.addLine(QStringLiteral("Besucher: ") + speich.line(20));
                ueberblick.addLine(QStringLiteral("Aktionen: ") + speich.line(12));
            });
}

void SiteReport::SeoRankRow() {
    // The site address is followed by "/" directly, even when it ends with one.
    request(QStringLiteral("SEO.getRank&url=") + ws_.SiteName + u'/', [&](const Memo &speich) {
        StringGrid &grid = ws_.ui.StringGrid3->grid();
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
