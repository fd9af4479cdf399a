#pragma once

namespace kf {

struct Workspace;

namespace analytics {

// "Import aus PiWik": the site addresses become the current project's domain list.
void importDomainsFromAnalytics(Workspace &ws);

} // namespace analytics
} // namespace kf
