#include "text/grid_tools.h"

#include "text/error.h"
#include "text/memo.h"
#include "text/string_grid.h"
#include "text/text_file.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace kf {

void FitColumns(StringGrid &grid, quint16 threshold) {
    // int counters: a grid may hold more than 65535 rows or columns.
    const int cols = grid.colCount();
    for (int col = 0; col < cols; ++col) {
        const int width = grid.widestText(col);
        if (width > threshold)
            grid.setColWidth(col, width + StringGrid::kGridLineWidth + 5);
    }
}

namespace {

bool needsQuotes(const QString &cell) {
    for (QChar c : cell) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u',' || (u >= 0x01 && u <= 0x20))
            return true;
    }
    return false;
}

void appendCsvCell(QString &out, const QString &cell) {
    if (!needsQuotes(cell)) {
        out += cell;
        return;
    }
    out += u'"';
    for (QChar c : cell) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

void appendCsvLine(QString &out, const StringGrid &grid, int row) {
    const int cols = grid.colCount();
    if (cols == 1 && grid.cell(0, row).isEmpty()) {
        out += QStringLiteral("\"\"");
        return;
    }
    for (int col = 0; col < cols; ++col) {
        if (col > 0)
            out += u',';
        appendCsvCell(out, grid.cell(col, row));
    }
}

} // namespace

QString gridCsvLine(const StringGrid &grid, int row) {
    QString line;
    appendCsvLine(line, grid, row);
    return line;
}

void SaveGridCsv(const StringGrid &grid, const QString &path) {
    QString text;
    const int rows = grid.rowCount();
    for (int row = 0; row < rows; ++row) {
        appendCsvLine(text, grid, row);
        text += QStringLiteral("\r\n");
    }
    textfile::writeRaw(path, text);
}

QStringList splitSiteLine(const QString &line) {
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype p = 0;
    while (p < n) {
        QString field;
        if (line[p] == u'"') {
            // Up to the closing quote; a doubled quote stands for one. An unclosed quote takes
            // the rest of the line.
            ++p;
            while (p < n) {
                if (line[p] == u'"') {
                    if (p + 1 < n && line[p + 1] == u'"') {
                        field += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += line[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && line[p] != u',')
                ++p;
            field = line.mid(start, p - start);
        }
        fields.append(field);
        if (p < n && line[p] == u',') {
            ++p;
            if (p == n)
                fields.append(QString()); // a comma at the very end
        }
    }
    return fields;
}

void LoadSiteFile(StringGrid &grid, const QString &path) {
    if (!QFileInfo(path).isFile())
        return;
    const QStringList lines = textfile::readLines(path);
    grid.setRowCount(int(lines.size()));
    grid.setColCount(2);
    for (int row = 0; row < int(lines.size()); ++row) {
        const QStringList fields = splitSiteLine(lines[row]);
        for (int col = 0; col < 2; ++col) {
            if (col >= fields.size())
                throw Error(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(col));
            grid.setCell(col, row, fields[col]);
        }
    }
    FitColumns(grid, 40);
}

QString htmlEscaped(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

void ExportGridHtml(const StringGrid &grid, Memo &memo) {
    const QFont &font = grid.font();
    QString open, close;
    if (font.bold()) {
        open += QStringLiteral("<b>");
        close += QStringLiteral("</b>");
    }
    if (font.italic()) {
        open += QStringLiteral("<i>");
        close += QStringLiteral("</i>");
    }
    if (font.underline()) {
        open += QStringLiteral("<u>");
        close += QStringLiteral("</u>");
    }
    const QString cellStart = QStringLiteral("    <td align=\"left\" valign=\"top\">") + open;
    const QString cellEnd = close + QStringLiteral("</td>\r\n");

    // The whole table is built first and handed over at once: one change of the memo.
    QString text = QStringLiteral("  <table>\r\n");
    const int rows = grid.rowCount();
    const int cols = grid.colCount();
    for (int row = 0; row < rows; ++row) {
        text += QStringLiteral("  <tr>\r\n");
        for (int col = 0; col < cols; ++col) {
            const QString cell = grid.cell(col, row);
            text += cellStart;
            text += cell.isEmpty() ? QStringLiteral(" ") : htmlEscaped(cell);
            text += cellEnd;
        }
        text += QStringLiteral("  </tr>\r\n");
    }
    text += QStringLiteral("  </table>\r\n");
    memo.setText(text);
}

void RemoveDuplicates(QStringList &items) {
    if (items.size() < 2)
        return;
    QSet<QString> seen;
    seen.reserve(items.size());
    qsizetype kept = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (seen.contains(items[i]))
            continue;
        seen.insert(items[i]);
        if (kept != i)
            items[kept] = std::move(items[i]);
        ++kept;
    }
    items.resize(kept);
}

void Pause(int ms) {
    if (ms <= 0)
        return;
    // A nested loop runs the window until the deadline. It also ends when the application
    // quits: every loop is then told to leave, and the pause must not spin until the deadline.
    QEventLoop loop;
    runLoopFor(loop, ms);
}

void runLoopFor(QEventLoop &loop, int ms) {
    constexpr int kSleptMs = 2;
    QElapsedTimer clock;
    clock.start();
    bool timeUp = false;
    QTimer::singleShot(std::max(0, ms - kSleptMs), Qt::PreciseTimer, &loop, [&] {
        timeUp = true;
        loop.quit();
    });
    loop.exec(QEventLoop::AllEvents);
    const qint64 leftNs = qint64(ms) * 1000000 - clock.nsecsElapsed();
    if (timeUp && leftNs > 0)
        std::this_thread::sleep_for(std::chrono::nanoseconds(leftNs));
}

QStringList columnTexts(const StringGrid &grid, int col) {
    QStringList texts;
    const int rows = grid.rowCount();
    texts.reserve(rows);
    for (int row = 0; row < rows; ++row)
        texts.append(grid.cell(col, row));
    return texts;
}

void ResetReportGrid(StringGrid &grid, const QStringList &titles) {
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.clearRow(row);
    grid.setRowCount(1);
    for (int col = 0; col < titles.size(); ++col)
        grid.setCell(col, 0, titles[col]);
    grid.setColCount(int(titles.size()));
    FitColumns(grid, 40);
}

void saveGridReport(const StringGrid &grid, const QString &stem) {
    SaveGridCsv(grid, stem + QStringLiteral(".csv"));
    Memo html;
    ExportGridHtml(grid, html);
    textfile::saveMemo(html, stem + QStringLiteral(".html"));
}

} // namespace kf
