#include "core/account_settings.h"

#include "core/account_file.h"
#include "core/workspace.h"
#include "text/text_file.h"
#include "widgets/memo_view.h"

#include <QLineEdit>

namespace kf {

void saveAccountSettings(Workspace &ws) {
    Memo &speich = ws.speich();
    speich.prepare();
    speich.addLine(ws.ui.URL->text());
    speich.addLine(ws.ui.Token->text());
    speich.addLine(ws.ui.xovi_api_key->text());
    speich.addLine(ws.ui.seokicksapi->text());
    // The file holds access keys in clear: on a shared machine only its owner may read it.
    textfile::saveMemo(speich, ws.path(kAccountFile), textfile::Access::OwnerOnly);
}

void loadAccountSettings(Workspace &ws) {
    Memo &speich = ws.speich();
    speich.prepare();
    textfile::loadMemo(speich, ws.path(kAccountFile));
    ws.ui.URL->setText(speich.line(0));
    ws.ui.Token->setText(speich.line(1));
    ws.ui.xovi_api_key->setText(speich.line(2));
    ws.ui.seokicksapi->setText(speich.line(3));
    // Long addresses and keys show their beginning, not their end.
    for (QLineEdit *edit : {ws.ui.URL, ws.ui.Token, ws.ui.xovi_api_key, ws.ui.seokicksapi})
        edit->setCursorPosition(0);
}

} // namespace kf
