#pragma once

namespace kf {

struct Session;

namespace xovi {

// The check column of the all-keywords list (the hidden Button4): column 4 of StringGrid3 shows
// a row's page address when some line of ueberblick (the link list) equals it exactly, else
// "N/A"; column 1 gets the title "Prüfspalte" and speich a copy of its former cells.
void compareCheckColumn(Session &ws);

} // namespace xovi
} // namespace kf
