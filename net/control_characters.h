#pragma once

#include <QByteArray>
#include <QStringView>

namespace kf::net {

// Whether the text holds a control character: C0, DEL or C1.
bool hasControlCharacter(QStringView text);

// The same for bytes of a reply's header, read as the characters they stand for: as UTF-8 where
// they are valid UTF-8, else byte for byte (so a lone 0x85 is the control NEL).
bool hasControlCharacter(const QByteArray &bytes);

} // namespace kf::net
