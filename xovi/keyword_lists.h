#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace kf {

struct Workspace;

namespace xovi {

// The three keyword lists of the selected project domain: each fills StringGrid3, saves it as
// CSV and HTML under reporting\xovi\key and logs its request address in ueberblick. They read
// the key from XoviKey, which "Check" sets just before.
class KeywordLists {
public:
    explicit KeywordLists(Workspace &ws) : ws_(ws) {}

    void ListAllKeywords();
    void ListNewKeywords();
    void ListLostKeywords();

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

    void list(const Kind &kind);
    // Everything after the fetch: the reply in speich becomes rows of StringGrid3 (below its
    // title row) and the two report files of `domain`.
    void tabulate(const Kind &kind, const QString &domain);

private:
    Workspace &ws_;
};

// The file name stem of a keyword report: domain and date in the short format in force, joined
// without a separator, with every ".", ":" and "/" turned into "-".
QString keywordReportBaseName(const QString &domain, const QDate &day);

} // namespace xovi
} // namespace kf
