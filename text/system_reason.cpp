#include "text/system_reason.h"

#include <cerrno>
#include <cstring>

namespace kf {

QString germanReason(const QString &systemText) {
    struct Reason {
        int code;
        const char *german;
    };
    static const Reason reasons[] = {
        {ENOENT, "Datei oder Ordner nicht gefunden"},
        {EACCES, "Zugriff verweigert"},
        {EPERM, "Zugriff verweigert"},
        {ENOTDIR, "Kein Ordner"},
        {EISDIR, "Ist ein Ordner"},
        {ENOSPC, "Datenträger voll"},
        {EDQUOT, "Datenträger voll"},
        {EROFS, "Schreibgeschütztes Dateisystem"},
        {EINVAL, "Dateiname nicht zulässig"},
        {ENAMETOOLONG, "Dateiname nicht zulässig"},
        {EILSEQ, "Dateiname nicht zulässig"},
    };
    // Qt passes the C library's text for the error number on.
    for (const Reason &r : reasons)
        if (systemText == QString::fromLocal8Bit(std::strerror(r.code)))
            return QString::fromUtf8(r.german);
    // A folder where a file is meant is caught by Qt itself, which says so in its own words.
    if (systemText == QLatin1String("file to open is a directory") ||
        systemText == QLatin1String("Filename refers to a directory"))
        return QStringLiteral("Ist ein Ordner");
    return systemText;
}

} // namespace kf
