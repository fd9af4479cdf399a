#include "backlinks/counter_check.h"

#include "backlinks/backlink_fetch.h"
#include "backlinks/link_classifier.h"
#include "backlinks/link_details.h"
#include "backlinks/report_names.h"
#include "core/data_folder.h"
#include "core/long_run.h"
#include "core/session.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"

#include <QElapsedTimer>

#include <vector>

namespace kf::backlinks {

namespace {
const QString kFound = QStringLiteral("gefunden");
const QString kNotFound = QStringLiteral("nicht gefunden");
const QString kNotAvailable = QStringLiteral("BL ist N/A");
} // namespace

void CounterCheck::run(const CounterCheckRequest &request) {
    // The pauses process window events; a second click meanwhile does not start another run.
    LongRun run(ws_, QStringLiteral("Button6Click"));
    if (!run.started())
        return;

    StringGrid &grid = ws_.grid5();
    Memo &speich = ws_.speich();

    QString list;
    for (const QString &cell : columnTexts(grid, 1))
        list += cell + QStringLiteral("\r\n");
    speich.setText(list);
    // Only the list file of the last fetch is rewritten, never another report that SavePath
    // may name by now.
    if (!lastFetch_.lastListFile().isEmpty() && ws_.SavePath == lastFetch_.lastListFile())
        textfile::saveMemo(speich, ws_.SavePath);

    ws_.ueberblick().setText(list);
    // The walk reads its own copy: a handler run during a pause may refill ueberblick.
    Memo lines;
    lines.setText(list);
    const int count = lines.lineCount();
    // The progress and the details count addresses only: the list's heading line, its empty
    // line and other text are no pages (their verdict cells are filled as before).
    std::vector<bool> isAddress(static_cast<std::size_t>(count));
    int addresses = 0;
    for (int i = 0; i < count; ++i)
        addresses += isAddress[std::size_t(i)] = isFetchAddress(lines.line(i));
    run.setTotal(addresses);

    const int verdictCol = grid.colCount();
    grid.setColCount(verdictCol + 1);
    Memo &found = ws_.memo1();
    found.prepare();

    const QString &domain = request.domain;
    LinkDetails details(domain);
    pausedNs_ = 0;
    int done = 0;
    // Cancelling ends the walk before the next page; the files below hold the pages checked.
    for (int i = 0; i < count && !run.cancelled(); ++i) {
        const QString address = lines.line(i);
        ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Gegenprobe - Backlink auf: ") + address);
        // Read anew for every line: the operator may change the pace during the run.
        const int pause = request.pauseMs();
        QElapsedTimer paused;
        paused.start();
        run.pause(pause);
        pausedNs_ += paused.nsecsElapsed();
        if (run.cancelled())
            break;
        const std::optional<QString> verdict =
            checkPage(address, domain, isAddress[std::size_t(i)] ? &details : nullptr, run);
        if (!verdict)
            break;
        grid.setCell(verdictCol, i, *verdict);
        done = i + 1;
        run.step(details.rows());
    }

    ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Gegenprobe fertig gestellt."));
    const QString name = fileStem(domain) + QStringLiteral(".txt");
    for (const char *folder : {"reporting", "reporting\\backlink", "reporting\\backlink\\found"}) {
        const QString path = ws_.path(QString::fromLatin1(folder));
        if (!folderExists(path))
            createFolder(path);
    }
    ws_.SavePath = ws_.path(QStringLiteral("reporting\\backlink\\found\\") + name);
    textfile::saveMemo(found, ws_.SavePath);
    found.clear();

    // Beside the found file: what each page checked showed of its link, named after the
    // backlink source of the list while the grid still holds that fetch's list.
    DetailsHeading heading;
    heading.domain = domain;
    heading.source =
        !list.isEmpty() && list == lastFetch_.lastList() ? lastFetch_.lastSource() : QString();
    heading.date = QDate::currentDate();
    heading.checked = details.rows();
    heading.addresses = addresses;
    heading.cancelled = done < count;
    details.save(detailsStem(ws_.SavePath.chopped(4), heading.source.toLower(), heading.cancelled),
                 heading);
}

std::optional<QString> CounterCheck::checkPage(const QString &address, const QString &domain,
                                               LinkDetails *details, const LongRun &run) {
    // One request per line: the verdict and the details read the same reply.
    QString text;
    const PageReply reply = fetchPage(ws_.IdHTTP1, address, &text);
    // A page given up for the cancel was not checked: the walk stopped before it.
    if (!reply.fetched && run.stopped())
        return std::nullopt;
    if (details)
        details->add(reply);
    if (!reply.fetched)
        return kNotAvailable;
    ws_.speich().setText(text);
    // An empty domain text is in no page (Qt would find it everywhere).
    if (!domain.isEmpty() && text.contains(domain, Qt::CaseSensitive)) {
        ws_.memo1().addLine(address);
        return kFound;
    }
    return kNotFound;
}

} // namespace kf::backlinks
