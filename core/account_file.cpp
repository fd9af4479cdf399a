#include "core/account_file.h"

#include "core/data_folder.h"
#include "core/session.h"
#include "text/memo.h"
#include "text/text_file.h"

namespace kf {

AccountSettings readAccountSettings(const Session &session) {
    const QString path = session.path(kAccountFile);
    if (!fileExists(path))
        return {};
    // Read as the window reads it: through a memo, lines ending at CR LF only.
    Memo lines;
    textfile::loadMemo(lines, path);
    return {lines.line(0), lines.line(1), lines.line(2), lines.line(3)};
}

} // namespace kf
