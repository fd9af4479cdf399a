#include "text/text_file.h"

#include "text/error.h"
#include "text/memo.h"
#include "text/system_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace kf::textfile {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones map to the C1 control of the same code.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

QString fromCp1252(const QByteArray &bytes) {
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

QString nativeFull(const QString &path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

QByteArray encode(const QString &text) {
    QByteArray out;
    out.resize(text.size());
    char *d = out.data();
    bool high = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = cp1252Byte(text[i].unicode());
        if (b < 0)
            return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        d[i] = char(b);
        high = high || b >= 0x80;
    }
    // The reader takes a byte-order mark or valid UTF-8 for what they are, so Windows-1252 bytes
    // that happen to look like either ("Maß“", "Ã¤", "ÿþ…") go out as UTF-8 with a mark.
    if (high && decode(out) != text)
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return out;
}

QString decode(const QByteArray &bytes) {
    // Only the file's own mark is dropped: a U+FEFF that begins the text itself stays.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return utf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        auto encoding =
            bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
        return decoder(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1252(bytes);
}

QString cannotCreateText(const QString &path, const QString &reason) {
    return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
        .arg(nativeFull(path), germanReason(reason));
}

QString cannotOpenText(const QString &path, const QString &reason) {
    return QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
        .arg(nativeFull(path), germanReason(reason));
}

QStringList readLines(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(cannotOpenText(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(cannotOpenText(path, file.errorString()));
    const QString text = decode(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString readText(const QString &path) {
    QString text;
    for (const QString &line : readLines(path)) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void loadMemo(Memo &memo, const QString &path) {
    memo.setText(readText(path));
}

namespace {

// The characters no file name may hold on the systems the program's files travel to; refusing
// them everywhere keeps a name that works here from failing on the operator's other machines.
bool isAllowedFileName(const QString &name) {
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringView(u"\\:*?\"<>|").contains(c))
            return false;
    return true;
}

// The one road of every write: a temporary file beside the target, renamed over it.
void writeBytes(const QString &path, const QByteArray &bytes, Access access) {
    if (!isAllowedFileName(QFileInfo(path).fileName()))
        throw Error(cannotCreateText(path, QStringLiteral("Dateiname nicht zulässig")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(cannotCreateText(path, file.errorString()));
    // Set on the temporary file before a byte is written; the rename keeps it.
    if (access == Access::OwnerOnly &&
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw Error(cannotCreateText(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Error(cannotCreateText(path, file.errorString()));
}

} // namespace

void writeRaw(const QString &path, const QString &text, Access access) {
    writeBytes(path, encode(text), access);
}

void writeUtf8(const QString &path, const QString &text, bool byteOrderMark) {
    writeBytes(path, (byteOrderMark ? "\xEF\xBB\xBF" : "") + text.toUtf8(), Access::Shared);
}

void writeLines(const QString &path, const QStringList &lines) {
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    writeRaw(path, text);
}

void saveMemo(const Memo &memo, const QString &path, Access access) {
    const QString &text = memo.text();
    if (text.isEmpty() || text.endsWith(QStringLiteral("\r\n")))
        writeRaw(path, text, access);
    else
        writeRaw(path, text + QStringLiteral("\r\n"), access);
}

} // namespace kf::textfile
