// libFuzzer harness for the link reading: any bytes through the bounds pass and the HTML5
// parser's walk, under AddressSanitizer and UndefinedBehaviorSanitizer. Built only with
// -DKELVARO_FUZZ=ON and clang, e.g.
//   CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DKELVARO_FUZZ=ON
//   cmake --build build-fuzz --target fuzz_link_reading
//   build-fuzz/bench/fuzz/fuzz_link_reading -max_total_time=300 -max_len=65536

#include "backlinks/link_page_scan.h"
#include "backlinks/parse_bounds.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char *>(data), size);
    // The bounds pass on its own, then the whole reading (bounds pass, parser, walk).
    if (const auto bounded = kf::backlinks::boundedForParser(page))
        if (bounded->size() > 2 * page.size() + 16) // tags are dropped or cut down, not grown
            std::abort();
    const kf::backlinks::PageScan scan = kf::backlinks::scanPage(page);
    return scan.anchors.size() > size ? 1 : 0;
}
