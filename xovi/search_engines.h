#pragma once

#include <QString>

namespace kf::xovi {

// The new and lost keyword requests name the search engine by XOVI's numeric id: the engine
// text of the panel, compared whole and case-sensitively, gives "sengineid=N"; any other text
// gives nothing.
QString engineIdParameter(const QString &engineText);

} // namespace kf::xovi
