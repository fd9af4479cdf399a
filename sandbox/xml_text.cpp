#include "sandbox/xml_text.h"

namespace sandbox {

std::string xmlEscaped(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

unsigned stableHash(const std::string &text) {
    unsigned h = 2166136261u; // FNV-1a
    for (const unsigned char c : text)
        h = (h ^ c) * 16777619u;
    return h;
}

bool isXoviCall(const Request &r, const char *service, const char *method) {
    const std::string suffix = "/index.php";
    return r.path.size() >= suffix.size() &&
           r.path.compare(r.path.size() - suffix.size(), suffix.size(), suffix) == 0 &&
           r.param("service") == service && r.param("method") == method;
}

} // namespace sandbox
