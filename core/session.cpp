#include "core/session.h"

#include "core/data_folder.h"
#include "text/tag_per_line.h"

namespace kf {

void Session::fetchIntoSpeich(const QString &url) {
    Memo &memo = speich();
    memo.setText(IdHTTP1.fetch(url));
    toTagPerLine(memo);
}

QString Session::path(const QString &relative) const {
    return dataPath(AppFolder, relative);
}

void Session::setCaption(const QString &caption) {
    if (captionDisplay)
        captionDisplay->setCaption(caption);
    else
        caption_ = caption;
}

QString Session::caption() const {
    return captionDisplay ? captionDisplay->caption() : caption_;
}

} // namespace kf
