#pragma once

#include <QString>
#include <QStringList>

namespace kf {

struct Session;
class StringGrid;

namespace analytics {

// The analytics server as the settings name it: its address (ending in "/") and access token.
struct AnalyticsServer {
    QString url;
    QString token;
};

// "Hole Ids": the server's sites into StringGrid1 (id, address), saved as the site file.
// Errors propagate; the grid keeps what was done before the failure.
void fetchSiteTable(Session &session, const AnalyticsServer &server);
// The saved site file into StringGrid1; no file, no change. Errors propagate.
void loadSiteTable(Session &session);
// The site addresses the selection list shows: column 1 of the site table.
QStringList siteAddresses(const StringGrid &sites);

// The site file, relative to the data folder.
inline const QString kSiteFile = QStringLiteral("accounts\\ids\\sites.csv");

} // namespace analytics
} // namespace kf
