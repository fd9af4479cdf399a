#include "core/date_formats.h"

#include <QLocale>

namespace kf {

namespace {
struct Formats {
    QString shortFormat = QLocale::system().dateFormat(QLocale::ShortFormat);
    QString longFormat = QLocale::system().dateFormat(QLocale::LongFormat);
    QString separator;
};

Formats &formats() {
    static Formats f;
    return f;
}
} // namespace

QString DateFormats::shortFormat() {
    return formats().shortFormat;
}
QString DateFormats::longFormat() {
    return formats().longFormat;
}
QString DateFormats::dateSeparator() {
    return formats().separator;
}

void DateFormats::useIsoDates() {
    formats().separator = QStringLiteral("-");
    formats().shortFormat = QStringLiteral("yyyy-MM-dd");
    formats().longFormat = QStringLiteral("dddd, yyyy-MM-dd");
}

void DateFormats::resetToSystem() {
    formats() = Formats();
}

QString DateFormats::formatShort(const QDate &date) {
    return QLocale::system().toString(date, shortFormat());
}

QString DateFormats::formatLong(const QDate &date) {
    return QLocale::system().toString(date, longFormat());
}

} // namespace kf
