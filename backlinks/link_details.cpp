#include "backlinks/link_details.h"

#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/text_file.h"

namespace kf::backlinks {

namespace {
QString yesNo(bool value) {
    return value ? QStringLiteral("ja") : QStringLiteral("nein");
}
} // namespace

void LinkDetails::add(const PageReply &reply, const LinkFindings &findings) {
    const int row = rows_++;
    if (rows_ > grid_.rowCount())
        grid_.setRowCount(rows_);
    const QString cells[kColumns] = {
        reply.address, statusText(reply), findings.redirectTarget, yesNo(findings.hasLink),
        findings.rel,  findings.anchor,   yesNo(findings.noindex), findings.verdict};
    for (int col = 0; col < kColumns; ++col)
        grid_.setCell(col, row, cells[col]);
}

void LinkDetails::save(const QString &stem) const {
    const QString csv = stem + QStringLiteral("_details.csv");
    const QString html = stem + QStringLiteral("_details.html");
    Memo table;
    if (rows_ == 0) { // an empty list: no row, not one empty row
        textfile::writeRaw(csv, QString());
        table.addLine(QStringLiteral("  <table>"));
        table.addLine(QStringLiteral("  </table>"));
    } else {
        SaveGridCsv(grid_, csv);
        ExportGridHtml(grid_, table);
    }
    textfile::saveMemo(table, html);
}

} // namespace kf::backlinks
