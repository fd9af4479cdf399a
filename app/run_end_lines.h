#pragma once

// The German texts of the window's foot: the line each long run leaves when it ends, and why a
// control does not answer while one runs. They are made from what the run left in the controls.

#include <QString>

namespace kf {

struct Controls;
struct RunEnd;

namespace foot {

// What the operator calls the run of a handler ("Gegenprobe" for "Button6Click"); empty for
// one the window does not know.
QString runLabel(const QString &runName);
// "„Gegenprobe“ läuft noch: bitte warten oder „Abbrechen“ drücken."
QString refusalText(const QString &runName);
// "<label>: <message>" for a run that ended with an error.
QString failureLine(const QString &label, const QString &message);

// "Überblick: 3 Seiten", "Überblick: 3 Seiten, abgebrochen nach 1".
QString checkRunLine(const Controls &ui, const RunEnd &end);
// "Hole Ids: 4 Seiten".
QString siteTableLine(const Controls &ui, const RunEnd &end);
// "SEO-Daten: 3 Domains" or, when a keyword list followed, "Keywords (Neu): 12 Keywords".
QString seoPanelLine(const Controls &ui, const RunEnd &end);
// "Rankingverlauf: 7 Keywords, 52 Wochen", with how far a cancelled or failed run came.
QString trendLine(const Controls &ui, const RunEnd &end);
// "Backlinks (XOVI): 20 Links".
QString backlinkLine(const Controls &ui, const RunEnd &end);
// "Gegenprobe: 18 Seiten, 14 mit Link, abgebrochen nach 15", counted from the verdict column.
QString counterCheckLine(const Controls &ui, const RunEnd &end);

} // namespace foot
} // namespace kf
