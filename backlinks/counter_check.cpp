#include "backlinks/counter_check.h"

#include "backlinks/backlink_fetch.h"
#include "backlinks/report_names.h"
#include "core/data_folder.h"
#include "core/handler_frame.h"
#include "core/workspace.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>

namespace kf::backlinks {

namespace {
const QString kFound = QStringLiteral("gefunden");
const QString kNotFound = QStringLiteral("nicht gefunden");
const QString kNotAvailable = QStringLiteral("BL ist N/A");
} // namespace

void CounterCheck::run() {
    // The pauses process window events; a second click meanwhile does not start another run.
    if (running_)
        return;
    running_ = true;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{running_};

    const Controls &ui = ws_.ui;
    StringGrid &grid = ui.StringGrid5->grid();
    Memo &speich = ui.speich->memo();

    QString list;
    for (const QString &cell : columnTexts(grid, 1))
        list += cell + QStringLiteral("\r\n");
    speich.setText(list);
    // Only the list file of the last fetch is rewritten, never another report that SavePath
    // may name by now.
    if (!lastFetch_.lastListFile().isEmpty() && ws_.SavePath == lastFetch_.lastListFile())
        textfile::saveMemo(speich, ws_.SavePath);

    ui.ueberblick->memo().setText(list);
    // The walk reads its own copy: a handler run during a pause may refill ueberblick.
    Memo lines;
    lines.setText(list);
    const int count = lines.lineCount();

    const int verdictCol = grid.colCount();
    grid.setColCount(verdictCol + 1);
    Memo &found = ui.Memo1->memo();
    found.prepare();

    const QString domain = ui.Edit44->text();
    pausedNs_ = 0;
    for (int i = 0; i < count && !ws_.closing; ++i) {
        const QString address = lines.line(i);
        ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Gegenprobe - Backlink auf: ") + address);
        // Read anew for every line: the operator may change the pace during the run.
        const int pause = wholeNumber(ui.ComboBox19->currentText());
        QElapsedTimer paused;
        paused.start();
        Pause(pause);
        pausedNs_ += paused.nsecsElapsed();
        grid.setCell(verdictCol, i, checkPage(address, domain));
    }

    ws_.setCaption(ws_.WindowTitle + QStringLiteral(" Gegenprobe fertig gestellt."));
    const QString name = fileStem(ui.Edit44->text()) + QStringLiteral(".txt");
    for (const char *folder : {"reporting", "reporting\\backlink", "reporting\\backlink\\found"}) {
        const QString path = ws_.path(QString::fromLatin1(folder));
        if (!folderExists(path))
            createFolder(path);
    }
    ws_.SavePath = ws_.path(QStringLiteral("reporting\\backlink\\found\\") + name);
    textfile::saveMemo(found, ws_.SavePath);
    found.clear();
}

QString CounterCheck::checkPage(const QString &address, const QString &domain) {
    QString verdict = kNotAvailable;
    guarded([&] {
        Memo &speich = ws_.ui.speich->memo();
        speich.setText(ws_.IdHTTP1.fetch(address));
        // An empty domain text is in no page (Qt would find it everywhere).
        if (!domain.isEmpty() && speich.text().contains(domain, Qt::CaseSensitive)) {
            ws_.ui.Memo1->memo().addLine(address);
            verdict = kFound;
        } else {
            verdict = kNotFound;
        }
    });
    return verdict;
}

} // namespace kf::backlinks
