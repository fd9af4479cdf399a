#include "backlinks/report_names.h"

#include "core/date_formats.h"
#include "text/error.h"

#include <QtGlobal>

namespace kf::backlinks {

namespace {
const char *const kDefaultSeokicksEndpoint = "http://www.seokicks.de";

QString without(QString text, const QString &characters) {
    for (const QChar c : characters)
        text.remove(c);
    return text;
}
} // namespace

QString seokicksEndpoint() {
    const QString configured = qEnvironmentVariable("KELVARO_SEOKICKS_ENDPOINT");
    return configured.isEmpty() ? QString::fromLatin1(kDefaultSeokicksEndpoint) : configured;
}

QString domainPart(const QString &domainText) {
    return without(domainText, QStringLiteral(".:-/\""));
}

QString datePart(const QDate &date) {
    return without(DateFormats::formatShort(date), QStringLiteral(".:-/"));
}

QString fileStem(const QString &domainText, const QDate &date) {
    return domainPart(domainText) + u'_' + datePart(date);
}

QString detailsStem(const QString &foundStem, const QString &source, bool cancelled) {
    QString stem = foundStem;
    if (!source.isEmpty())
        stem += u'_' + source;
    if (cancelled)
        stem += QStringLiteral("_abgebrochen");
    return stem + QStringLiteral("_details");
}

int wholeNumber(const QString &text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw Error(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
    return value;
}

} // namespace kf::backlinks
