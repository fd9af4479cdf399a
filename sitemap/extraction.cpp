#include "sitemap/extraction.h"

#include "core/long_run.h"
#include "core/session.h"
#include "net/body_decoding.h"
#include "net/http_client.h"
#include "sitemap/gzip_data.h"
#include "sitemap/site_address.h"
#include "sitemap/sitemap_reader.h"
#include "text/memo.h"
#include "text/tag_per_line.h"

#include <QSet>

namespace kf::sitemap {

namespace {

// A sitemap index may name at most this many child sitemaps (the protocol's limit too).
constexpr int kMaxChildren = 500;

QString mb(qsizetype bytes) {
    return QString::number(bytes / (1024 * 1024));
}

class Extraction {
public:
    Extraction(Session &ws, Memo &found, const StatusLine &status, LongRun &run)
        : ws_(ws), found_(found), status_(status), run_(run) {
        run_.watch(client_);
    }

    void run(const ExtractionRequest &request) {
        Memo &speich = ws_.speich();
        speich.prepare();
        const QString address = sitemapAddress(request.address);

        bool unpacked = false;
        const QByteArray bytes = fetchSitemap(address, &unpacked);
        // speich shows the text as the fetch decodes it (unpacked text as the UTF-8 that sitemaps
        // are); the reading below takes the bytes, whose XML says its own encoding.
        speich.setText(locPerLine(unpacked ? QString::fromUtf8(bytes)
                                           : net::decodeBody(bytes, contentType())));
        const SitemapContent content = read(bytes, address);
        run_.step(1);

        // Each extraction lists its own sitemap only; a failed fetch above left the list as
        // it was.
        found_.clear();
        if (content.kind == SitemapKind::Index && request.followIndex)
            followIndex(content.addresses);
        else
            collect(content.addresses);
        if (content.kind == SitemapKind::Index && !request.followIndex)
            notes_ << QStringLiteral("Sitemap-Index mit %1 Unter-Sitemaps, zum Laden "
                                     "„Unter-Sitemaps laden“ wählen")
                          .arg(content.addresses.size());
        found_.setScrollBars(true);
        ws_.setCaption(QString::number(found_.lineCount()) + QStringLiteral(" Links gefunden"));
        status_(notes_.join(QStringLiteral("; ")));
    }

private:
    // The address typed, or for a site the first sitemap its robots.txt names, else
    // /sitemap.xml. A robots.txt that is missing or refused counts as one without sitemaps; a
    // site that cannot be reached at all fails here.
    QString sitemapAddress(const QString &typed) {
        const QString root = siteRoot(typed);
        if (root.isEmpty())
            return typed;
        const QString robotsUrl = root + QStringLiteral("/robots.txt");
        QStringList named;
        try {
            named = sitemapsInRobotsTxt(client_.fetch(robotsUrl), QUrl(robotsUrl));
        } catch (const net::FetchAborted &) {
            throw;
        } catch (const net::FetchError &e) {
            if (e.statusCode() == 0)
                throw;
        }
        const QString address = named.isEmpty() ? root + QStringLiteral("/sitemap.xml") : named[0];
        note(named.isEmpty()
                 ? QStringLiteral("Keine Sitemap in robots.txt, verwendet: %1").arg(address)
                 : QStringLiteral("Sitemap laut robots.txt: %1").arg(address));
        return address;
    }

    // The sitemap's bytes, unpacked when they are gzip data.
    QByteArray fetchSitemap(const QString &address, bool *unpacked) {
        QByteArray bytes = client_.fetchBytes(address);
        *unpacked = isGzip(bytes);
        if (!*unpacked)
            return bytes;
        Unpacked result = gunzip(bytes);
        if (result.state == Unpacked::State::CutAtLimit)
            note(QStringLiteral("%1 ist entpackt größer als %2 MB, gelesen wurden die ersten %2 MB")
                     .arg(address, mb(kMaxUnpackedBytes)));
        else if (result.state == Unpacked::State::Damaged)
            note(QStringLiteral("%1: gzip-Daten beschädigt, gelesen wurde der lesbare Anfang")
                     .arg(address));
        return std::move(result.data);
    }

    // A child that is no sitemap is named among the failed ones instead.
    SitemapContent read(const QByteArray &bytes, const QString &address, bool child = false) {
        SitemapContent content = readSitemap(bytes, QUrl(address));
        if (content.kind == SitemapKind::NotSitemap && !child)
            note(QStringLiteral("Keine Sitemap: %1 liefert kein Sitemap-XML").arg(address));
        else if (content.brokenAtLine > 0)
            note(QStringLiteral("%1 bricht in Zeile %2 ab, übernommen sind die Links davor")
                     .arg(address)
                     .arg(content.brokenAtLine));
        return content;
    }

    // Page addresses with a scheme the list takes, each once, cut to what a memo line reads.
    void collect(const QStringList &addresses) {
        for (const QString &address : addresses) {
            if (!address.contains(QLatin1String("http://")) &&
                !address.contains(QLatin1String("https://")))
                continue;
            const QString line = address.left(Memo::kMaxLineRead);
            if (!seen_.contains(line)) {
                seen_.insert(line);
                found_.addLine(line);
            }
        }
    }

    // One level deep: each child sitemap once, in the index's order; a child that fails is
    // named and skipped.
    void followIndex(const QStringList &children) {
        QStringList todo;
        QSet<QString> named;
        for (const QString &child : children)
            if (!named.contains(child)) {
                named.insert(child);
                todo << child;
            }
        const qsizetype listed = todo.size();
        if (todo.size() > kMaxChildren)
            todo.resize(kMaxChildren);
        run_.setTotal(int(todo.size()));

        QStringList failed;
        int done = 0;
        for (const QString &child : todo) {
            if (run_.cancelled())
                break;
            ws_.setCaption(
                QStringLiteral("Unter-Sitemap %1 von %2").arg(done + 1).arg(todo.size()));
            QString failure;
            try {
                bool unpacked = false;
                const SitemapContent content = read(fetchSitemap(child, &unpacked), child, true);
                if (content.kind == SitemapKind::UrlSet)
                    collect(content.addresses);
                else if (content.kind == SitemapKind::Index)
                    failure = QStringLiteral("selbst ein Sitemap-Index");
                else
                    failure = QStringLiteral("kein Sitemap-XML");
            } catch (const net::FetchAborted &) {
                break; // "Abbrechen" while the child was on its way
            } catch (const net::FetchError &e) {
                failure = e.message();
            }
            if (!failure.isEmpty()) {
                failed << child;
                note(QStringLiteral("Unter-Sitemap nicht geladen: %1 (%2)").arg(child, failure),
                     false);
            }
            run_.step(++done);
        }

        QString summary = QStringLiteral("%1 von %2 Unter-Sitemaps geladen")
                              .arg(done - failed.size())
                              .arg(todo.size());
        if (listed > todo.size())
            summary += QStringLiteral(" (der Index nennt %1, geladen werden höchstens %2)")
                           .arg(listed)
                           .arg(kMaxChildren);
        if (!failed.isEmpty())
            summary += QStringLiteral(", nicht geladen: ") + failed.join(QStringLiteral(", "));
        notes_ << summary;
    }

    QByteArray contentType() const {
        QByteArray value;
        for (const auto &header : client_.lastHeaders())
            if (header.first.compare("Content-Type", Qt::CaseInsensitive) == 0)
                value = header.second;
        return value;
    }

    // Shown at once, and kept for the line the extraction ends with unless `keep` is false.
    void note(const QString &text, bool keep = true) {
        if (keep)
            notes_ << text;
        status_(text);
    }

    Session &ws_;
    Memo &found_;
    const StatusLine &status_;
    LongRun &run_;
    net::HttpClient client_; // the crawler's own client, with its own cookies
    QSet<QString> seen_;
    QStringList notes_;
};

} // namespace

void extractSitemap(Session &ws, Memo &found, const ExtractionRequest &request,
                    const StatusLine &status) {
    // The name tells it apart from the main window's own Button1Click.
    LongRun run(ws, QStringLiteral("Form2.Button1Click"), 1);
    if (!run.started())
        return;
    try {
        Extraction(ws, found, status, run).run(request);
    } catch (const net::FetchAborted &) {
        // "Abbrechen" while the sitemap was on its way: the run ends there, the list as it was.
    }
}

} // namespace kf::sitemap
