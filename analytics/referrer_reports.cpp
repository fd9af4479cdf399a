#include "analytics/site_report.h"

#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"

namespace kf::analytics {

namespace {

// Lines below a "<label>" line that hold a referrer row's values. A day's rows list the
// values in the order shown; rows summed over several days carry the visits as their seventh
// element and everything from the actions on one element closer to the label.
struct RowLayout {
    int label, visitors, visits, actions, maxActions, duration, bounces;
};
constexpr RowLayout kDayLayout{1, 5, 9, 13, 17, 21, 25};
constexpr RowLayout kMultiDayLayout{1, 5, 29, 9, 13, 17, 21};

struct RowValues {
    QString label, visitors, visits, actions, maxActions, duration, bounces;
};

RowValues readRow(const Memo &reply, int i, const RowLayout &at) {
    return {reply.line(i + at.label),   reply.line(i + at.visitors),   reply.line(i + at.visits),
            reply.line(i + at.actions), reply.line(i + at.maxActions), reply.line(i + at.duration),
            reply.line(i + at.bounces)};
}

void appendBlock(Memo &memo, const RowValues &v) {
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
bool dayLayoutChosen(const QString &text) {
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
            [&](const Memo &speich) {
                Memo &ueberblick = ws_.ueberblick();
                ueberblick.addLine(QStringLiteral("============="));
                ueberblick.addLine(QStringLiteral("Domain: ") + ws_.SiteName);

                const int count = speich.lineCount();
                for (int i = 0; i < count; ++i) {
                    // The referrer kinds always come per day; the others follow the period choice.
                    const bool dayLayout =
                        kind == Referrers::Types || dayLayoutChosen(settings_.periodText);
                    if (speich.line(i) != QLatin1String("<label>"))
                        continue;
                    const RowValues v =
                        readRow(speich, i, dayLayout ? kDayLayout : kMultiDayLayout);
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
                        if (dayLayout)
                            translation_.apply(ueberblick);
                        break;
                    }
                }
            });
}

} // namespace kf::analytics
