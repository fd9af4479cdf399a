#pragma once

#include <QString>
#include <QStringList>

namespace kf::xovi {

// The new and lost keyword requests name the search engine by XOVI's numeric id: the engine
// text of the panel, compared whole and case-sensitively, gives "sengineid=N"; any other text
// gives nothing.
QString engineIdParameter(const QString &engineText);

// The engine texts the panel offers, in its order (the first is the default).
QStringList engineTexts();

} // namespace kf::xovi
