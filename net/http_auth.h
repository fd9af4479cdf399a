#pragma once

#include <QByteArray>
#include <QList>

namespace kf::net {

// Builds the Authorization header value answering the WWW-Authenticate challenges of a 401 for
// the scheme the server names (Digest preferred over Basic when both are offered). Returns an
// empty value when no supported scheme is offered. nonceCount counts Digest uses of a nonce.
QByteArray authorizationFor(const QList<QByteArray> &challenges, const QByteArray &user,
                            const QByteArray &password, const QByteArray &method,
                            const QByteArray &target, int nonceCount,
                            const QByteArray &cnonce = QByteArray()); // empty: random

} // namespace kf::net
