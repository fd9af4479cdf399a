#pragma once

#include <QString>

namespace kf {

struct Session;
class LongRun;
namespace backlinks {

class ReplyLines;

// What a backlink list is asked for: the source, the domain text, the number of results as
// typed, and the keys of the two services.
struct BacklinkRequest {
    enum class Source { None, Xovi, Seokicks };
    Source source = Source::None;
    QString domain;
    QString maxResults;
    QString xoviKey;
    QString seokicksKey;
};

// "Check!" of the panel "Backlinkchecker": the backlinks of a domain from XOVI or SEOkicks into
// StringGrid5 and three report files per source.
class BacklinkFetch {
public:
    explicit BacklinkFetch(Session &ws) : ws_(ws) {}

    // True once the reports are saved (also after a cancel of the XOVI walk: they hold the rows
    // walked). Errors propagate; a cancel while the list is on its way ends it quietly.
    bool fetch(const BacklinkRequest &request);

    // The limit sent to XOVI: above 10000 it falls back to 1000; a text that is no number fails.
    static QString xoviLimit(const QString &typed);

    // The list file the last fetch wrote (empty before the first); the counter-check rewrites
    // the list only while SavePath still names it.
    const QString &lastListFile() const { return lastListFile_; }
    // The list text (one line per cell of column 1, each ended by CR LF) and the source
    // ("XOVI", "SEOkicks") of the last fetch: a later list that differs came from elsewhere.
    const QString &lastList() const { return lastList_; }
    const QString &lastSource() const { return lastSource_; }

private:
    void fetchFromXovi(const BacklinkRequest &request, LongRun &run);
    void fetchFromSeokicks(const BacklinkRequest &request);
    // The XOVI walk: one grid row per "<linkingUrl>" of the reply copy, the window kept
    // responsive between rows, until the end or a cancel.
    void walkXoviReply(const ReplyLines &reply, LongRun &run);
    void resetGrid(const QStringList &titles);
    // The CSV, HTML and list files under reporting\backlink\<source>; speich keeps the list.
    void saveReports(const QString &sourceFolder, const QString &domain);

    Session &ws_;
    QString lastListFile_;
    QString lastList_;
    QString lastSource_;
};

} // namespace backlinks
} // namespace kf
