#include "widgets/program_icon.h"

// The resource lives in a static library: naming its initialiser keeps it linked in.
static void initIconResource() {
    Q_INIT_RESOURCE(kelvaro);
}

namespace kf {

QIcon programIcon() {
    static const bool once = (initIconResource(), true);
    Q_UNUSED(once);
    return QIcon(QStringLiteral(":/icons/kelvaro.svg"));
}

} // namespace kf
