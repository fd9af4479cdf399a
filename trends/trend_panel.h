#pragma once

namespace kf {

struct Workspace;

namespace trends {

// "Analyse": the selected keywords of kw_analyze on every date of ListBox3 for the domain
// selected in ListBox2; the chart follows when the run ends.
void runTrendAnalysis(Workspace &ws);

// auswahl_jahrChange: the dates of the year typed or chosen go into ListBox3 when its file exists.
void chooseYear(Workspace &ws);

} // namespace trends
} // namespace kf
