#include "sitemap/gzip_data.h"

#include <zlib.h>

#include <algorithm>

namespace kf::sitemap {

bool isGzip(const QByteArray &bytes) {
    return bytes.size() >= 2 && quint8(bytes[0]) == 0x1f && quint8(bytes[1]) == 0x8b;
}

Unpacked gunzip(const QByteArray &bytes, qsizetype limit) {
    Unpacked result;
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip header and trailer around the deflate data.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        result.state = Unpacked::State::Damaged;
        return result;
    }
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    constexpr qsizetype kChunk = 256 * 1024;
    for (;;) {
        if (result.data.size() >= limit) {
            result.state = Unpacked::State::CutAtLimit;
            break;
        }
        const qsizetype room = std::min(kChunk, limit - result.data.size());
        const qsizetype before = result.data.size();
        result.data.resize(before + room);
        stream.next_out = reinterpret_cast<Bytef *>(result.data.data() + before);
        stream.avail_out = uInt(room);
        const int rc = inflate(&stream, Z_NO_FLUSH);
        result.data.resize(before + room - qsizetype(stream.avail_out));
        if (rc == Z_STREAM_END) {
            // Another member may follow; anything else after the end is ignored, as gzip does.
            if (stream.avail_in == 0 ||
                !isGzip(QByteArray::fromRawData(reinterpret_cast<const char *>(stream.next_in),
                                                qsizetype(stream.avail_in))))
                break;
            inflateReset(&stream);
            continue;
        }
        if (rc == Z_OK)
            continue;
        if (rc == Z_BUF_ERROR && stream.avail_out == 0)
            continue; // the output chunk was full: go on with the next one
        result.state = Unpacked::State::Damaged; // corrupt or cut off before its end
        break;
    }
    inflateEnd(&stream);
    result.data.squeeze();
    return result;
}

} // namespace kf::sitemap
