#include "net/control_characters.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>

namespace kf::net {

bool hasControlCharacter(QStringView text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool hasControlCharacter(const QByteArray &bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    return hasControlCharacter(utf8.hasError() ? QString::fromLatin1(bytes) : text);
}

} // namespace kf::net
