#include "core/workspace.h"

#include "core/data_folder.h"
#include "text/tag_per_line.h"
#include "widgets/memo_view.h"

#include <QWidget>

namespace kf {

void Workspace::fetchIntoSpeich(const QString &url) {
    Memo &speich = ui.speich->memo();
    speich.setText(IdHTTP1.fetch(url));
    toTagPerLine(speich);
}

QString Workspace::path(const QString &relative) const {
    return dataPath(AppFolder, relative);
}

void Workspace::setCaption(const QString &caption) {
    if (ui.form)
        ui.form->setWindowTitle(caption);
}

QString Workspace::caption() const {
    return ui.form ? ui.form->windowTitle() : QString();
}

} // namespace kf
