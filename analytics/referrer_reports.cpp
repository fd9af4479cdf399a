#include "analytics/site_report.h"

#include "analytics/report_replies.h"

#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

namespace kf::analytics {

namespace {

void appendBlock(Memo &memo, const ReferrerRow &v) {
    memo.addLine(QStringLiteral("Quelle: ") + v.label);
    memo.addLine(QStringLiteral("Besucher: ") + v.visitors);
    memo.addLine(QStringLiteral("Besuche: ") + v.visits);
    memo.addLine(QStringLiteral("Aktionen: ") + v.actions);
    memo.addLine(QStringLiteral("max. Aktionen: ") + v.maxActions);
    memo.addLine(QStringLiteral("Aufenthaltsdauer (sek.): ") + v.duration);
    memo.addLine(QStringLiteral("Absprünge: ") + v.bounces);
    memo.addLine(QStringLiteral(" "));
}

// Appends a numbered row; r is the new row's index, so the first row below the titles is 1.
void appendGridRow(StringGrid &grid, const QStringList &values) {
    const int r = grid.rowCount();
    grid.clearRow(r);
    grid.setCell(0, r, QString::number(r));
    for (int col = 0; col < values.size(); ++col)
        grid.setCell(col + 1, r, values[col]);
    grid.setRowCount(r + 1);
    FitColumns(grid, 40);
}

// The two period choices that ask for single days.
bool daysChosen(const QString &text) {
    return text == QLatin1String("Tag") || text == QLatin1String("Periode - Zeitraum ");
}

} // namespace

void SiteReport::ReferrerTypesReport() {
    referrerReport(Referrers::Types);
}
void SiteReport::ReferrerKeywordsReport() {
    referrerReport(Referrers::Keywords);
}
void SiteReport::ReferrerWebsitesReport() {
    referrerReport(Referrers::Websites);
}

void SiteReport::referrerReport(Referrers kind) {
    const QString method = kind == Referrers::Types      ? QStringLiteral("Referers.getRefererType")
                           : kind == Referrers::Keywords ? QStringLiteral("Referers.getKeywords")
                                                         : QStringLiteral("Referers.getWebsites");
    request(method + QStringLiteral("&idSite=") + ws_.SiteId + u'&' + ws_.PeriodParam +
                QStringLiteral("&date=") + reportDate_,
            [&](const QString &reply) {
                Memo &ueberblick = ws_.ueberblick();
                ueberblick.addLine(QStringLiteral("============="));
                ueberblick.addLine(QStringLiteral("Domain: ") + ws_.SiteName);

                for (const ReferrerRow &v : referrerRows(reply)) {
                    appendBlock(ueberblick, v);
                    switch (kind) {
                    case Referrers::Types:
                        translation_.apply(ueberblick);
                        break;
                    case Referrers::Keywords:
                        appendGridRow(ws_.grid2(),
                                      {v.label, v.visitors, v.visits, v.duration, v.bounces});
                        break;
                    case Referrers::Websites:
                        appendGridRow(ws_.grid4(), {v.label, v.visitors, v.visits, v.actions,
                                                    v.maxActions, v.duration, v.bounces});
                        // Only the period choice of single days translates the websites' labels.
                        if (daysChosen(settings_.periodText))
                            translation_.apply(ueberblick);
                        break;
                    }
                }
            });
}

} // namespace kf::analytics
