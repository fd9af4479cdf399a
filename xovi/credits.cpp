#include "xovi/credits.h"

#include "core/dialogs.h"
#include "core/handler_frame.h"
#include "core/session.h"
#include "text/memo.h"
#include "xovi/xovi_request.h"

namespace kf::xovi {

void QueryXoviCredits(Session &ws, const QString &key) {
    Memo &speich = ws.speich();
    speich.prepare();
    guarded([&] {
        // The one XOVI request that names the method before the service.
        ws.fetchIntoSpeich(baseAddress() + key +
                           QStringLiteral("&method=getcreditstate&service=user&format=xml"));
        const int count = speich.lineCount();
        for (int i = 0; i < count; ++i) {
            // The credits left are the element's text; the element after it holds those used.
            if (speich.line(i) == QLatin1String("<creditsleft>"))
                dialogs::showMessage(
                    ws.WindowTitle + QStringLiteral(" Creditverbrauch: ") + speich.line(i + 5) +
                    QStringLiteral(" verbleibende Credits: ") + speich.line(i + 1));
        }
    });
}

} // namespace kf::xovi
