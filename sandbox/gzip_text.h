#pragma once

#include <string>

namespace sandbox {

// The gzip form of `data`, as a server stores a compressed sitemap (".xml.gz").
std::string gzipped(const std::string &data);

} // namespace sandbox
