#include "app/run_end_lines.h"

#include "core/long_run.h"
#include "core/workspace.h"
#include "text/string_grid.h"
#include "widgets/grid_view.h"

#include <QHash>
#include <QListWidget>
#include <QRadioButton>
#include <QUrl>

namespace kf::foot {

namespace {

QString counted(int n, const QString &one, const QString &many) {
    return QString::number(n) + QLatin1Char(' ') + (n == 1 ? one : many);
}

// ", abgebrochen nach 15" when the operator stopped the run after `done` of its steps.
QString cancelSuffix(const RunEnd &end, int done) {
    if (!end.cancelled)
        return QString();
    return done > 0 ? QStringLiteral(", abgebrochen nach ") + QString::number(done)
                    : QStringLiteral(", abgebrochen");
}

// A list line that the counter-check can fetch as a page.
bool isPageAddress(const QString &line) {
    const QUrl url(line.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

int dataRows(const GridView *grid, int titleRows) {
    return std::max(0, grid->grid().rowCount() - titleRows);
}

} // namespace

QString runLabel(const QString &runName) {
    static const QHash<QString, QString> labels{
        {QStringLiteral("Button1Click"), QStringLiteral("Check")},
        {QStringLiteral("Form1.HoleIds1Click"), QStringLiteral("Hole Ids")},
        {QStringLiteral("Form1.Button3Click"), QStringLiteral("Check (SEODaten)")},
        {QStringLiteral("Button3Click"), QStringLiteral("Check (SEODaten)")},
        {QStringLiteral("Button5Click"), QStringLiteral("Analyse")},
        {QStringLiteral("Button99Click"), QStringLiteral("Check!")},
        {QStringLiteral("Button6Click"), QStringLiteral("Gegenprobe")},
    };
    return labels.value(runName);
}

QString refusalText(const QString &runName) {
    const QString label = runLabel(runName);
    const QString wait = QStringLiteral(" läuft noch: bitte warten oder „Abbrechen“ drücken.");
    return label.isEmpty() ? QStringLiteral("Ein Lauf") + wait
                           : QStringLiteral("„") + label + QStringLiteral("“") + wait;
}

QString failureLine(const QString &label, const QString &message) {
    return label + QStringLiteral(": ") + message;
}

QString checkRunLine(const Controls &ui, const RunEnd &end) {
    QString kind = QStringLiteral("Check");
    for (const QRadioButton *radio : {ui.overview_all, ui.Keywords_all, ui.Webseiten_all,
                                      ui.Check_SEO, ui.LiveCheck, ui.einstieg})
        if (radio->isChecked())
            kind = radio->text();
    return kind + QStringLiteral(": ") +
           counted(end.total, QStringLiteral("Seite"), QStringLiteral("Seiten")) +
           cancelSuffix(end, end.done);
}

QString siteTableLine(const Controls &ui, const RunEnd &end) {
    if (end.cancelled)
        return QStringLiteral("Hole Ids: abgebrochen");
    return QStringLiteral("Hole Ids: ") +
           counted(ui.ListBox1->count(), QStringLiteral("Seite"), QStringLiteral("Seiten"));
}

QString seoPanelLine(const Controls &ui, const RunEnd &end) {
    // A keyword list follows the SEO data and replaces its table.
    const std::pair<const QRadioButton *, QString> lists[] = {
        {ui.xovi_kw, QStringLiteral("Keywords")},
        {ui.xovi_kw_new, QStringLiteral("Keywords (Neu)")},
        {ui.xovi_kw_lost, QStringLiteral("Keywords (Verloren)")},
    };
    for (const auto &[radio, label] : lists) {
        if (!radio->isChecked())
            continue;
        if (end.cancelled)
            return label + QStringLiteral(": abgebrochen");
        return label + QStringLiteral(": ") +
               counted(dataRows(ui.StringGrid3, 1), QStringLiteral("Keyword"),
                       QStringLiteral("Keywords"));
    }
    if (ui.PiWikAPI->isChecked())
        return QStringLiteral("SEO-Daten: ") +
               counted(ui.ListBox2->count(), QStringLiteral("Domain"), QStringLiteral("Domains")) +
               cancelSuffix(end, dataRows(ui.StringGrid3, 1));
    return QStringLiteral("SEODaten: weder „PiWikAPI“ noch eine Keyword-Liste gewählt");
}

QString trendLine(const Controls &ui, const RunEnd &end) {
    const QString head = QStringLiteral("Rankingverlauf: ");
    const auto selected = ui.ListBox2->selectedItems();
    if (selected.isEmpty() || selected.first()->text().isEmpty())
        return head + QStringLiteral("keine Domain in „SEODaten“ gewählt");
    if (ui.kw_analyze->selectedItems().isEmpty())
        return head + QStringLiteral("kein Keyword gewählt");
    if (ui.ListBox3->count() == 0)
        return head + QStringLiteral("kein Jahr gewählt");
    // What the run set out to do: its counts stand however far it came.
    QString line = head +
                   counted(int(ui.kw_analyze->selectedItems().size()), QStringLiteral("Keyword"),
                           QStringLiteral("Keywords")) +
                   QStringLiteral(", ") +
                   counted(ui.ListBox3->count(), QStringLiteral("Woche"), QStringLiteral("Wochen"));
    const QString progress =
        QString::number(end.done) + QStringLiteral(" von ") + QString::number(end.total);
    if (end.cancelled)
        line += QStringLiteral(", abgebrochen nach ") + progress + QStringLiteral(" Abfragen");
    else if (end.done < end.total)
        line += QStringLiteral(", Abfrage fehlgeschlagen nach ") + progress;
    return line;
}

QString backlinkLine(const Controls &ui, const RunEnd &end) {
    QString source;
    if (ui.RadioButton40->isChecked())
        source = QStringLiteral("XOVI");
    else if (ui.RadioButton18->isChecked())
        source = QStringLiteral("SEOkicks");
    else
        return QStringLiteral("Backlinks: keine Quelle gewählt");
    const QString head = QStringLiteral("Backlinks (") + source + QStringLiteral("): ");
    if (end.cancelled && end.total == 0)
        return head + QStringLiteral("abgebrochen");
    const int links = end.cancelled ? end.total : dataRows(ui.StringGrid5, 2);
    return head + counted(links, QStringLiteral("Link"), QStringLiteral("Links")) +
           cancelSuffix(end, end.done);
}

QString counterCheckLine(const Controls &ui, const RunEnd &end) {
    const StringGrid &grid = ui.StringGrid5->grid();
    const int verdicts = grid.colCount() - 1;
    int pages = 0, checked = 0, found = 0;
    for (int row = 0; row < grid.rowCount(); ++row) {
        if (!isPageAddress(grid.cell(1, row)))
            continue;
        ++pages;
        const QString verdict = grid.cell(verdicts, row);
        checked += !verdict.isEmpty();
        found += verdict == QLatin1String("gefunden");
    }
    return QStringLiteral("Gegenprobe: ") +
           counted(pages, QStringLiteral("Seite"), QStringLiteral("Seiten")) +
           QStringLiteral(", ") + QString::number(found) + QStringLiteral(" mit Link") +
           cancelSuffix(end, checked);
}

} // namespace kf::foot
