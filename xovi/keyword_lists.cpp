#include "xovi/keyword_lists.h"

#include "core/data_folder.h"
#include "core/date_formats.h"
#include "core/dialogs.h"
#include "core/session.h"
#include "projects/project_files.h"
#include "text/error.h"
#include "text/grid_tools.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"
#include "xovi/marker_lines.h"
#include "xovi/search_engines.h"
#include "xovi/xovi_request.h"

namespace kf::xovi {

namespace {

QString keyFolder(const Session &ws) {
    const QString key = ws.path(QStringLiteral("reporting\\xovi\\key"));
    if (!folderExists(key)) {
        for (const char *level : {"reporting", "reporting\\xovi", "reporting\\xovi\\key"})
            if (!folderExists(ws.path(QString::fromLatin1(level))))
                createFolder(ws.path(QString::fromLatin1(level)));
    }
    return key;
}

} // namespace

const KeywordLists::Kind &KeywordLists::allKeywords() {
    static const Kind kind{u"getKeywords",
                           false,
                           false,
                           u"<url>",
                           {1, 5, 9},
                           {QStringLiteral("Nr."), QStringLiteral("URL"), QStringLiteral("Keyword"),
                            QStringLiteral("Position")},
                           u""};
    return kind;
}

const KeywordLists::Kind &KeywordLists::newKeywords() {
    static const Kind kind{
        u"getnewKeywords",
        true,
        true,
        u"<newkeyword>",
        {3, 7},
        {QStringLiteral("Nr."), QStringLiteral("Keyword"), QStringLiteral("Position")},
        u"_new"};
    return kind;
}

const KeywordLists::Kind &KeywordLists::lostKeywords() {
    static const Kind kind{
        u"getLostKeywords",
        true,
        true,
        u"<lostkeyword>",
        {3, 7},
        {QStringLiteral("Nr."), QStringLiteral("Keyword"), QStringLiteral("Position")},
        u"_lost"};
    return kind;
}

QString keywordReportBaseName(const QString &domain, const QDate &day) {
    QString name = domain + DateFormats::formatShort(day);
    for (QChar &c : name)
        if (c == u'.' || c == u':' || c == u'/')
            c = u'-';
    return name;
}

bool KeywordLists::list(const Kind &kind, const KeywordListRequest &request) {
    StringGrid &grid = ws_.grid3();
    Memo &speich = ws_.speich();
    const QString &engineText = request.engineText;
    const QString engineByText = QStringLiteral("sengine=") + engineText;

    QString domain = request.domain;
    if (domain.isEmpty()) {
        dialogs::showMessage(QStringLiteral("Bitte Domain aus der Liste auswählen!"));
        // The address is logged all the same; without a domain the engine id is not looked up.
        ws_.ueberblick().addLine(requestUrl(
            ws_.XoviKey, QStringLiteral("seo"), QString::fromUtf16(kind.method),
            QStringLiteral("&domain=&limit=1500&") + (kind.byEngineId ? QString() : engineByText)));
        return false;
    }

    domain.remove(QStringLiteral("http://"), Qt::CaseInsensitive);
    ResetReportGrid(grid, kind.titles);
    speich.prepare();
    const QString engine = kind.byEngineId ? engineIdParameter(engineText) : engineByText;
    const QString url =
        requestUrl(ws_.XoviKey, QStringLiteral("seo"), QString::fromUtf16(kind.method),
                   QStringLiteral("&domain=") + domain + QStringLiteral("&limit=1500&") + engine);

    // A failure ends the list silently; the rows and files made so far stay.
    const bool done = ws_.attempt([&] {
        ws_.fetchIntoSpeich(url);
        tabulate(kind, domain);
    });
    FitColumns(grid, 40);
    ws_.ueberblick().addLine(url);
    return done;
}

void KeywordLists::tabulate(const Kind &kind, const QString &domain) {
    StringGrid &grid = ws_.grid3();
    Memo &speich = ws_.speich();
    if (kind.keepsReply)
        textfile::saveMemo(speich, ws_.path(QStringLiteral("tmp.txt")));

    // Rows follow the reply's order.
    int count = 0;
    forEachMarker(speich.text(), QStringView(kind.marker), kind.valueOffsets,
                  [&](const QList<QStringView> &values) {
                      const int row = grid.rowCount();
                      grid.setCell(0, row, QString::number(++count));
                      for (int k = 0; k < values.size(); ++k)
                          grid.setCell(1 + k, row, values[k].toString());
                      grid.setRowCount(row + 1);
                      // The columns follow every row; the grid keeps its widths bookkept, so
                      // this costs the same for the last row as for the first.
                      FitColumns(grid, 40);
                  });

    // The domain's own characters never become folder separators.
    const QString base = keywordReportBaseName(domain, QDate::currentDate());
    const QString stem = keyFolder(ws_) + u'/' + base + QString::fromUtf16(kind.fileTail);
    ws_.SavePath = stem + QStringLiteral(".csv");
    // A name Windows would refuse is no file name here either: the data folder travels between
    // systems, so such a domain gets its rows but no report files.
    if (!projects::isFolderName(base))
        throw Error(textfile::cannotCreateText(
            ws_.SavePath, QStringLiteral("The filename, directory name, or volume label syntax "
                                         "is incorrect.")));
    SaveGridCsv(grid, ws_.SavePath);
    ExportGridHtml(grid, speich);
    textfile::saveMemo(speich, stem + QStringLiteral(".html"));
    speich.clear();
}

} // namespace kf::xovi
