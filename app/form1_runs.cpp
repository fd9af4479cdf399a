// One run at a time: the controls locked while a long run goes, and the foot's ending lines.
#include "app/form1.h"
#include "app/run_end_lines.h"
#include "app/run_status_bar.h"
#include "core/handler_frame.h"
#include "net/http_client.h"
#include "widgets/control_lock.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QAction>
#include <QCalendarWidget>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

void TForm1::buildRunLock() {
    auto &ui = ws_.ui;
    runLock_ = new kf::ControlLock([this] { refusedWhileRunning(); }, this);
    // What starts a run or a request, and what a run reads while it goes: the settings, the
    // choices of every panel, the calendar of the check run, the lists and their entry fields.
    // Left free: "Abbrechen", the pace of the counter-check ("Checkfrequenz:", read anew for
    // every page), the tabs, scrolling and the chart; the hidden buttons that runs click.
    for (const char *name : {"Speichern", "Button1", "Button3", "Button5", "Button6", "Button99"})
        runLock_->add(findChild<QPushButton *>(QString::fromLatin1(name)));
    for (QWidget *control : std::initializer_list<QWidget *>{ui.URL,
                                                             ui.Token,
                                                             ui.xovi_api_key,
                                                             ui.seokicksapi,
                                                             ui.overview_all,
                                                             ui.Keywords_all,
                                                             ui.Webseiten_all,
                                                             ui.Check_SEO,
                                                             ui.LiveCheck,
                                                             ui.einstieg,
                                                             ui.ComboBox1,
                                                             ui.ComboBox2,
                                                             ui.Projekte,
                                                             ui.Edit2,
                                                             ui.sengine,
                                                             ui.PiWikAPI,
                                                             ui.xovi_kw,
                                                             ui.xovi_kw_new,
                                                             ui.xovi_kw_lost,
                                                             ui.Edit44,
                                                             ui.maxerg,
                                                             ui.RadioButton17,
                                                             ui.RadioButton18,
                                                             ui.RadioButton40,
                                                             ui.MonthCalendar1,
                                                             ui.Domain_Xovi,
                                                             ui.kw_analyze_entry,
                                                             ui.auswahl_jahr})
        runLock_->add(control);
    for (QListWidget *list : {ui.ListBox1, ui.ListBox2, ui.kw_analyze, ui.ListBox3})
        runLock_->add(list);
    for (MemoView *memo : {ui.speich, ui.ueberblick, ui.Memo1, ui.sonst_urls})
        runLock_->add(memo);
    for (const char *name :
         {"HoleIds1", "Creditsabfragen1", "Keywordcheck1", "LinklisteXoviRanking1",
          "generiereWochentagausKWs1", "ImportausPiWik1", "DiagrammSpeichern1"})
        runLock_->add(findChild<QAction *>(QString::fromLatin1(name)));
    ws_.runs.addBusyListener(this, [this](bool busy) { runLock_->setLocked(busy); });
}

void TForm1::lockWhileRunning(QWidget *control) {
    if (control)
        runLock_->add(control);
}

bool TForm1::refusedWhileRunning() {
    if (!ws_.runs.anyRunning())
        return false;
    StatusBar1->showRefusal(kf::foot::refusalText(ws_.runs.current()));
    return true;
}

bool TForm1::runLong(const QString &label, const std::function<void()> &work, EndLine endLine) {
    if (refusedWhileRunning())
        return false;
    ws_.runs.forgetLastEnd();
    QString failure;
    kf::runHandler([&] {
        try {
            work();
        } catch (const kf::net::FetchAborted &) {
            // "Abbrechen" gave a request up: the run stopped, nothing failed.
        } catch (const std::exception &e) {
            failure = kf::errorText(e);
            throw;
        }
    });
    const auto &end = ws_.runs.lastEnd();
    if (!failure.isEmpty())
        ws_.runs.setEndLine(kf::foot::failureLine(label, failure));
    else if (end && end->line.isEmpty())
        ws_.runs.setEndLine(endLine(ws_.ui, *end));
    return true;
}
