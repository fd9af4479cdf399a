#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kf::backlinks {

// The HTML5 parser spends time in proportion to the depth of the open elements for every tag
// it reads, to the open formatting elements for every text it reads, and to the attributes of
// a tag for every attribute: a page of thousands of nested elements, unclosed <b id=...> or
// attributes makes it quadratic. A linear pass follows the page's tags roughly as the parser
// would; only when its estimate goes beyond bounds that real pages stay far inside (512 open
// elements as browsers keep them, 64 distinct open formatting elements, 256 distinct attributes
// in one tag) does it hand back a copy without the start tags beyond them (their end tags with
// them; links, templates, scripts and other elements whose content would change its meaning
// are always kept). Nothing when the page stays within bounds: the parser then reads the
// page's own bytes.
std::optional<std::string> boundedForParser(std::string_view page);

} // namespace kf::backlinks
