#pragma once

#include <QByteArray>
#include <QString>

namespace kf::net {

// The charset parameter of a Content-Type value, without quotes ("" when there is none).
QByteArray charsetOf(const QByteArray &contentType);

// Body decoding: a charset "UTF-8" or "UTF8" (letter case ignored) decodes as UTF-8,
// everything else byte for byte (each byte becomes the character with the same code).
QString decodeBody(const QByteArray &body, const QByteArray &contentType);

} // namespace kf::net
