#include "xovi/search_engines.h"

namespace kf::xovi {

namespace {
struct Engine {
    const char16_t *text;
    const char16_t *parameter;
};

// The items of the engine box, in its order.
constexpr Engine kEngines[] = {
    {u"google.de", u"sengineid=1"},
    {u"google.at", u"sengineid=2"},
    {u"google.ch", u"sengineid=28"},
    {u"bing.de", u"sengineid=51"},
};
} // namespace

QString engineIdParameter(const QString &engineText) {
    for (const Engine &engine : kEngines)
        if (engineText == QStringView(engine.text))
            return QString::fromUtf16(engine.parameter);
    return QString();
}

QStringList engineTexts() {
    QStringList texts;
    for (const Engine &engine : kEngines)
        texts << QString::fromUtf16(engine.text);
    return texts;
}

} // namespace kf::xovi
