#pragma once

#include <QString>

#include <functional>

namespace kf {
class Memo;
struct Session;
} // namespace kf

namespace kf::sitemap {

struct ExtractionRequest {
    QString address;          // a sitemap, or a site whose sitemap is looked up
    bool followIndex = false; // an index's child sitemaps are fetched in turn
};

// Where the extraction tells what it did beyond the count: the main window's status bar.
using StatusLine = std::function<void(const QString &text)>;

// "Extrakt": fetches the sitemap (through the site's robots.txt when the address names only a
// site), puts it into speich with every loc value on a line of its own, and collects its page
// addresses into `found`, each once; the main window's caption counts them. A long run of the
// main window. A failed fetch of the sitemap itself propagates and leaves `found` as it was.
void extractSitemap(Session &ws, Memo &found, const ExtractionRequest &request,
                    const StatusLine &status);

} // namespace kf::sitemap
