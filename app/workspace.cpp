#include "app/workspace.h"

#include "app/data_folder.h"

#include <QWidget>

namespace kf {

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
