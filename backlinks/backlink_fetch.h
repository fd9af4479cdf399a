#pragma once

#include <QString>

namespace kf {

struct Workspace;
class LongRun;
namespace backlinks {

class ReplyLines;

// "Check!" of the panel "Backlinkchecker": the backlinks of the domain in Edit44 from XOVI or
// SEOkicks into StringGrid5 and three report files per source.
class BacklinkFetch {
public:
    explicit BacklinkFetch(Workspace &ws) : ws_(ws) {}

    void fetch();

    // The list file the last fetch wrote (empty before the first); the counter-check rewrites
    // the list only while SavePath still names it.
    const QString &lastListFile() const { return lastListFile_; }
    // The list text (one line per cell of column 1, each ended by CR LF) and the source
    // ("XOVI", "SEOkicks") of the last fetch: a later list that differs came from elsewhere.
    const QString &lastList() const { return lastList_; }
    const QString &lastSource() const { return lastSource_; }

private:
    void fetchFromXovi(LongRun &run);
    void fetchFromSeokicks();
    // The XOVI walk: one grid row per "<linkingUrl>" of the reply copy, the window kept
    // responsive between rows, until the end or a cancel.
    void walkXoviReply(const ReplyLines &reply, LongRun &run);
    void resetGrid(const QStringList &titles);
    // The CSV, HTML and list files under reporting\backlink\<source>; speich keeps the list.
    void saveReports(const QString &sourceFolder);
    void showTable();

    Workspace &ws_;
    QString lastListFile_;
    QString lastList_;
    QString lastSource_;
};

} // namespace backlinks
} // namespace kf
