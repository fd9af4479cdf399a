#include "backlinks/backlink_fetch.h"

#include "backlinks/reply_lines.h"
#include "backlinks/report_names.h"
#include "core/data_folder.h"
#include "core/long_run.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "xovi/xovi_request.h"

namespace kf::backlinks {

namespace {

const QString kLinkingUrlTag = QStringLiteral("<linkingUrl>");
const QString kUrlTag = QStringLiteral("<url>");

QString withoutCdataMarks(QString anchor) {
    anchor.remove(QStringLiteral("<![CDATA["), Qt::CaseInsensitive);
    anchor.remove(QStringLiteral("]]>"), Qt::CaseInsensitive);
    return anchor;
}

void makeFolder(const Session &ws, const QString &relative) {
    const QString folder = ws.path(relative);
    if (!folderExists(folder))
        createFolder(folder);
}

} // namespace

QString BacklinkFetch::xoviLimit(const QString &typed) {
    return wholeNumber(typed) > 10000 ? QStringLiteral("1000") : typed;
}

bool BacklinkFetch::fetch(const BacklinkRequest &request) {
    // The XOVI walk processes window events, so a second click must not start another run on
    // top of it.
    LongRun run(ws_, QStringLiteral("Button99Click"));
    if (!run.started())
        return false;
    try {
        if (request.source == BacklinkRequest::Source::Xovi)
            fetchFromXovi(request, run);
        else if (request.source == BacklinkRequest::Source::Seokicks)
            fetchFromSeokicks(request);
        else
            return false;
        return true;
    } catch (const net::FetchAborted &) {
        // "Abbrechen" while the list was on its way: the run stops before anything is written.
        return false;
    }
}

void BacklinkFetch::resetGrid(const QStringList &titles) {
    StringGrid &grid = ws_.grid5();
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.clearRow(row);
    grid.setRowCount(2);
    for (int col = 0; col < titles.size(); ++col)
        grid.setCell(col, 0, titles[col]);
}

void BacklinkFetch::fetchFromXovi(const BacklinkRequest &request, LongRun &run) {
    // A limit that is no number stops the run before any request.
    const QString limit = xoviLimit(request.maxResults);
    Memo &speich = ws_.speich();
    speich.prepare();
    ws_.fetchIntoSpeich(xovi::requestUrl(
        request.xoviKey, QStringLiteral("links"), QStringLiteral("getbacklinks"),
        QStringLiteral("&domain=") + request.domain + QStringLiteral("&limit=") + limit));
    textfile::saveMemo(speich, ws_.path(QStringLiteral("tmp_xovi_bkl.txt")));
    resetGrid({QStringLiteral("Nr."), QStringLiteral("Link-URL"), QStringLiteral("Ankertext")});

    // The walk keeps the window working, and a handler run meanwhile may refill speich: the
    // walk reads its own copy of the reply.
    walkXoviReply(ReplyLines(speich.text()), run);

    // Also after a cancel: the reports hold the rows walked so far.
    saveReports(QStringLiteral("reporting\\backlink\\xovi"), request.domain);
}

void BacklinkFetch::walkXoviReply(const ReplyLines &reply, LongRun &run) {
    StringGrid &grid = ws_.grid5();
    const int count = reply.count();
    int links = 0;
    for (int i = 0; i < count; ++i)
        links += reply.line(i) == kLinkingUrlTag;
    run.setTotal(links);
    // The reply is in memory already: nothing to wait for, only the window to keep alive. The
    // run hands it its events every few frames rather than per row, so that 10,000 rows do not
    // cost 10,000 repaints; a cancel stops the walk before its next row.
    for (int i = 0, done = 0; i < count; ++i) {
        if (reply.line(i) != kLinkingUrlTag)
            continue;
        if (run.cancelled())
            break;
        ws_.setCaption(ws_.WindowTitle + QStringLiteral(" hole Backlink-Nr.:") +
                       QString::number(grid.rowCount()));
        const int row = grid.rowCount();
        grid.setCell(0, row, QString::number(row));
        grid.setCell(1, row, reply.line(i + 1).toString());
        grid.setCell(2, row, reply.line(i + 5).toString());
        grid.setRowCount(row + 1);
        FitColumns(grid, 40);
        run.step(++done);
    }
}

void BacklinkFetch::fetchFromSeokicks(const BacklinkRequest &request) {
    Memo &speich = ws_.speich();
    speich.clear();
    ws_.fetchIntoSpeich(
        seokicksEndpoint() + QStringLiteral("/SEOkicksService/V1/inlinkData?appid=") +
        request.seokicksKey + QStringLiteral("&query=") + request.domain +
        QStringLiteral("&details=2&results=") + request.maxResults + QStringLiteral("&page=1"));
    resetGrid({QStringLiteral("Nr."), QStringLiteral("Link-URL"), QStringLiteral("Ankertext"),
               QStringLiteral("Follow"), QStringLiteral("Ziel-URL")});

    Memo &ueberblick = ws_.ueberblick();
    ueberblick.prepare();
    ueberblick.setText(speich.text());
    textfile::saveMemo(ueberblick, ws_.path(QStringLiteral("tmp_blk.txt")));

    StringGrid &grid = ws_.grid5();
    const ReplyLines lines(ueberblick.text());
    const int count = lines.count();
    for (int i = 0; i < count; ++i) {
        if (lines.line(i) != kUrlTag)
            continue;
        const int row = grid.rowCount();
        grid.setCell(0, row, QString::number(row));
        grid.setCell(1, row, lines.line(i + 1).toString());
        grid.setCell(2, row, withoutCdataMarks(lines.line(i + 6).toString()));
        grid.setCell(3, row, lines.line(i + 11).toString());
        grid.setCell(4, row, lines.line(i + 19).toString());
        grid.setRowCount(row + 1);
        FitColumns(grid, 40);
    }

    saveReports(QStringLiteral("reporting\\backlink\\seokicks"), request.domain);
    // The list text holds the header line and the empty line besides the links.
    ws_.setCaption(ws_.WindowTitle + u' ' + QString::number(speich.lineCount() - 2) +
                   QStringLiteral(" Links gefunden"));
}

void BacklinkFetch::saveReports(const QString &sourceFolder, const QString &domain) {
    makeFolder(ws_, QStringLiteral("reporting"));
    makeFolder(ws_, QStringLiteral("reporting\\backlink"));
    makeFolder(ws_, sourceFolder);

    const QString stem = ws_.path(sourceFolder + u'\\' + fileStem(domain));
    const StringGrid &grid = ws_.grid5();
    Memo &speich = ws_.speich();

    ws_.SavePath = stem + QStringLiteral(".csv");
    SaveGridCsv(grid, ws_.SavePath);

    ExportGridHtml(grid, speich);
    ws_.SavePath = stem + QStringLiteral(".html");
    textfile::saveMemo(speich, ws_.SavePath);

    ws_.ueberblick().clear();
    speich.clear();

    ws_.SavePath = stem + QStringLiteral("_list.txt");
    QString list;
    for (const QString &cell : columnTexts(grid, 1))
        list += cell + QStringLiteral("\r\n");
    speich.setText(list);
    lastListFile_ = ws_.SavePath;
    lastList_ = list;
    lastSource_ = sourceFolder.endsWith(QLatin1String("xovi")) ? QStringLiteral("XOVI")
                                                               : QStringLiteral("SEOkicks");
    textfile::saveMemo(speich, ws_.SavePath);
}

} // namespace kf::backlinks
