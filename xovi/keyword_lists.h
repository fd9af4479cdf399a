#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace kf {

struct Session;

namespace xovi {

// What a keyword list is asked for: the domain as the list shows it (empty when none is
// selected) and the search engine as the panel names it.
struct KeywordListRequest {
    QString domain;
    QString engineText;
};

// The three keyword lists of a project domain: each fills StringGrid3, saves it as CSV and HTML
// under reporting\xovi\key and logs its request address in ueberblick. They read the key from
// XoviKey, which "Check" sets just before.
class KeywordLists {
public:
    explicit KeywordLists(Session &ws) : ws_(ws) {}

    // How one list asks and reads; public for the benchmarks.
    struct Kind {
        const char16_t *method;   // "getKeywords", "getnewKeywords", "getLostKeywords"
        bool byEngineId;          // "sengineid=N" instead of "sengine=<text>"
        bool keepsReply;          // the rewritten reply goes to tmp.txt as well
        const char16_t *marker;   // the opening tag that starts a keyword
        QList<int> valueOffsets;  // lines below the marker, one per column after "Nr."
        QStringList titles;       // row 0
        const char16_t *fileTail; // after the base name, before ".csv" / ".html"
    };
    static const Kind &allKeywords();
    static const Kind &newKeywords();
    static const Kind &lostKeywords();

    // False when no domain was given (the operator is asked for one) or the list ended early on
    // a failure, whose text the session's failures then hold.
    bool list(const Kind &kind, const KeywordListRequest &request);
    // Everything after the fetch: the reply in speich becomes rows of StringGrid3 (below its
    // title row) and the two report files of `domain`.
    void tabulate(const Kind &kind, const QString &domain);

private:
    Session &ws_;
};

// The file name stem of a keyword report: domain and date in the short format in force, joined
// without a separator, with every ".", ":" and "/" turned into "-".
QString keywordReportBaseName(const QString &domain, const QDate &day);

} // namespace xovi
} // namespace kf
