#include "backlinks/link_details.h"

#include "text/error.h"
#include "text/grid_tools.h"
#include "text/string_grid.h"
#include "text/text_file.h"

#include <QMutexLocker>

namespace kf::backlinks {

namespace {

const QStringList kTitles = {QStringLiteral("Adresse"),       QStringLiteral("Status"),
                             QStringLiteral("Weiterleitung"), QStringLiteral("Link"),
                             QStringLiteral("rel"),           QStringLiteral("Ankertext"),
                             QStringLiteral("noindex"),       QStringLiteral("Ergebnis")};

QString yesNo(bool value) {
    return value ? QStringLiteral("ja") : QStringLiteral("nein");
}

// The verdict classes and how the report shows them.
struct VerdictClass {
    const char *cssClass;
    const char *colour;
    QStringList verdicts;
    const char *meaning;
};

const VerdictClass kClasses[] = {
    {"link", "#c8e6c9", {kLinkPresent}, "die Seite verlinkt die Domain"},
    {"nofollow",
     "#fff3b0",
     {kLinkNofollow},
     "der Link trägt nofollow, sponsored oder ugc, oder die Seite verbietet das Folgen"},
    {"mention", "#cfe3f7", {kMentionOnly}, "die Domain steht im Text, ohne Link"},
    {"nolink", "#f8c8c8", {kNoLink}, "weder Link noch Erwähnung"},
    {"unchecked",
     "#e0e0e0",
     {kRedirect, kPageMissing, kBlocked, kUnreachable},
     "die Seite konnte nicht geprüft werden"},
};

const char *cssClassOf(const QString &verdict) {
    for (const VerdictClass &c : kClasses)
        if (c.verdicts.contains(verdict))
            return c.cssClass;
    return "unchecked";
}

QString headingLine(const DetailsHeading &heading) {
    const QString state = heading.cancelled ? QStringLiteral("abgebrochen nach %1 von %2")
                                                  .arg(heading.checked)
                                                  .arg(heading.addresses)
                                            : QStringLiteral("vollständig");
    const QString source =
        heading.source.isEmpty() ? QStringLiteral("Liste der Tabelle") : heading.source;
    return QStringLiteral("Quelle: %1, Datum: %2, %3")
        .arg(source, heading.date.toString(QStringLiteral("dd.MM.yyyy")), state);
}

} // namespace

LinkDetails::LinkDetails(const QString &domain) : domain_(domain) {
    // One worker: pages are read one after the other, beside the run, not against it.
    worker_.setMaxThreadCount(1);
}

LinkDetails::~LinkDetails() {
    worker_.waitForDone();
}

void LinkDetails::add(const PageReply &reply) {
    const std::size_t index = rows_.size();
    {
        QMutexLocker lock(&mutex_);
        rows_.push_back({reply, {}});
    }
    worker_.start([this, index, reply] {
        LinkFindings findings = classifyPage(reply, domain_);
        QMutexLocker lock(&mutex_);
        rows_[index].findings = std::move(findings);
    });
}

void LinkDetails::save(const QString &stem, const DetailsHeading &heading) {
    worker_.waitForDone();
    StringGrid grid(kColumns, int(rows_.size()) + 1);
    for (int col = 0; col < kColumns; ++col)
        grid.setCell(col, 0, kTitles[col]);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const PageReply &reply = rows_[i].reply;
        const LinkFindings &found = rows_[i].findings;
        const QString cells[kColumns] = {
            reply.address, statusText(reply), found.redirectTarget, yesNo(found.hasLink),
            found.rel,     found.anchor,      yesNo(found.noindex), found.verdict};
        for (int col = 0; col < kColumns; ++col)
            grid.setCell(col, int(i) + 1, cells[col]);
    }

    QString csv;
    for (int row = 0; row < grid.rowCount(); ++row)
        csv += gridCsvLine(grid, row) + QStringLiteral("\r\n");
    textfile::writeUtf8(stem + QStringLiteral(".csv"), csv, true);

    const QString title = QStringLiteral("Gegenprobe ") + heading.domain;
    QStringList html = {
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html lang=\"de\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset=\"utf-8\">"),
        QStringLiteral("<title>") + htmlEscaped(title) + QStringLiteral("</title>"),
        QStringLiteral("<style>"),
        QStringLiteral("body { font-family: sans-serif; font-size: 10pt; }"),
        QStringLiteral("table { border-collapse: collapse; }"),
        QStringLiteral("th, td { border: 1px solid #888; padding: 2px 6px; text-align: left; "
                       "vertical-align: top; }"),
        QStringLiteral("th { background: #d0d0d0; }")};
    for (const VerdictClass &c : kClasses)
        html << QStringLiteral("tr.%1 td, span.%1 { background: %2; }")
                    .arg(QLatin1String(c.cssClass), QLatin1String(c.colour));
    html << QStringLiteral("</style>") << QStringLiteral("</head>") << QStringLiteral("<body>")
         << QStringLiteral("<h1>") + htmlEscaped(title) + QStringLiteral("</h1>")
         << QStringLiteral("<p>") + htmlEscaped(headingLine(heading)) + QStringLiteral("</p>")
         << QStringLiteral("<table>");
    QString header = QStringLiteral("<tr>");
    for (const QString &t : kTitles)
        header += QStringLiteral("<th>") + htmlEscaped(t) + QStringLiteral("</th>");
    html << header + QStringLiteral("</tr>");
    for (int row = 1; row < grid.rowCount(); ++row) {
        QString line = QStringLiteral("<tr class=\"%1\">")
                           .arg(QLatin1String(cssClassOf(grid.cell(kColumns - 1, row))));
        for (int col = 0; col < kColumns; ++col)
            line +=
                QStringLiteral("<td>") + htmlEscaped(grid.cell(col, row)) + QStringLiteral("</td>");
        html << line + QStringLiteral("</tr>");
    }
    html << QStringLiteral("</table>") << QStringLiteral("<p>Legende:</p>")
         << QStringLiteral("<ul>");
    for (const VerdictClass &c : kClasses)
        html << QStringLiteral("<li><span class=\"%1\">%2</span>: %3</li>")
                    .arg(QLatin1String(c.cssClass),
                         htmlEscaped(c.verdicts.join(QStringLiteral(", "))),
                         htmlEscaped(QString::fromUtf8(c.meaning)));
    html << QStringLiteral("</ul>") << QStringLiteral("</body>") << QStringLiteral("</html>");
    textfile::writeUtf8(stem + QStringLiteral(".html"),
                        html.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), false);
}

} // namespace kf::backlinks
