#pragma once

// Small pieces shared by the XML-speaking stand-ins.

#include "sandbox/loopback_service.h"

#include <string>

namespace sandbox {

// & < > " as entities, as a service writes text into its XML.
std::string xmlEscaped(const std::string &text);

// A small deterministic number from a text: the sample data sets vary with it, the same every run.
unsigned stableHash(const std::string &text);

// A request to the XOVI API ("…/index.php") for this service and method.
bool isXoviCall(const Request &request, const char *service, const char *method);

// The XML declaration every reply starts with, LF-terminated.
inline const char *xmlDeclaration() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
}

} // namespace sandbox
