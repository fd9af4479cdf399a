#include "analytics/label_translation.h"

#include "text/memo.h"

namespace kf::analytics {

void LabelTranslation::apply(Memo &memo) {
    int from = 0;
    if (known_ && memo.rewriteSerial() == serial_ && translatedUpTo_ <= memo.text().size())
        from = translatedUpTo_;

    // Translated text holds none of the labels again (no replacement forms a label with its
    // neighbours once all three have run), so the part before `from` would stay as it is.
    memo.replaceAll(QStringLiteral("Search Engines"), QStringLiteral("Suchmaschinen"),
                    Qt::CaseInsensitive, from);
    memo.replaceAll(QStringLiteral("Direct Entry"), QStringLiteral("Direkt"), Qt::CaseInsensitive,
                    from);
    memo.replaceAll(QStringLiteral("Websites"), QStringLiteral("Webseiten"), Qt::CaseInsensitive,
                    from);

    // Resume after the last line break: an unfinished last line may still grow into a label.
    const QString &text = memo.text();
    qsizetype end = text.size();
    while (end > from && text[end - 1] != u'\n' && text[end - 1] != u'\r')
        --end;
    translatedUpTo_ = int(end);
    serial_ = memo.rewriteSerial();
    known_ = true;
}

} // namespace kf::analytics
