#pragma once

#include <QByteArray>

namespace kf::sitemap {

// Compressed sitemaps are told by their first bytes, whatever their name or content type.
bool isGzip(const QByteArray &bytes);

struct Unpacked {
    enum class State {
        Complete,
        CutAtLimit, // longer than the limit: the data holds its first `limit` bytes
        Damaged,    // not valid gzip data from some point on: the data holds what came before
    };
    QByteArray data;
    State state = State::Complete;
};

// The sitemap protocol allows 50 MB unpacked; a reply that unpacks to more than four times
// that is cut, so that a small hostile reply cannot fill the memory.
constexpr qsizetype kMaxUnpackedBytes = 200 * 1024 * 1024;

// Unpacks gzip data (one member after another, as gzip writes appended files).
Unpacked gunzip(const QByteArray &bytes, qsizetype limit = kMaxUnpackedBytes);

} // namespace kf::sitemap
