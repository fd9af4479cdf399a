#include "core/workspace.h"

#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QWidget>

namespace kf {

QString WindowCaption::caption() const {
    return ui_.form ? ui_.form->windowTitle() : QString();
}

void WindowCaption::setCaption(const QString &caption) {
    if (ui_.form)
        ui_.form->setWindowTitle(caption);
}

void Workspace::attachViews() {
    models = {&ui.speich->memo(),      &ui.ueberblick->memo(),  &ui.sonst_urls->memo(),
              &ui.Memo1->memo(),       &ui.StringGrid1->grid(), &ui.StringGrid2->grid(),
              &ui.StringGrid3->grid(), &ui.StringGrid4->grid(), &ui.StringGrid5->grid()};
}

} // namespace kf
