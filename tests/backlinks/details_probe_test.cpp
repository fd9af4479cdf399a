// Held-back probe: real-world linking pages, the details rows expected of each.
#include "backlink_window.h"
#include "backlinks/report_names.h"
#include "text/text_file.h"

#include <iostream>

namespace {

struct Page {
    std::string path;
    int status = 200;
    std::string type = "text/html; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // expected: redirect, link, rel, anchor, noindex, verdict
    QString redirect, link, rel, anchor, noindex, verdict;
};

std::string html(const std::string &head, const std::string &body) {
    return "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<title>Seite</title>\n" + head +
           "</head>\n<body>\n" + body + "\n</body>\n</html>\n";
}

QStringList parseCsvLine(const QString &text, int &pos) {
    QStringList fields;
    QString cur;
    bool quoted = false;
    while (pos < text.size()) {
        QChar c = text[pos];
        if (quoted) {
            if (c == '"') {
                if (pos + 1 < text.size() && text[pos + 1] == '"') {
                    cur += '"';
                    pos += 2;
                    continue;
                }
                quoted = false;
                ++pos;
                continue;
            }
            cur += c;
            ++pos;
            continue;
        }
        if (c == '"') {
            quoted = true;
            ++pos;
            continue;
        }
        if (c == ',') {
            fields << cur;
            cur.clear();
            ++pos;
            continue;
        }
        if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
            pos += 2;
            fields << cur;
            return fields;
        }
        cur += c;
        ++pos;
    }
    fields << cur;
    return fields;
}

} // namespace

class DetailsProbe : public BacklinkWindow {
protected:
    void serve(const std::vector<Page> &pages) {
        web.handle([pages](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
            for (const Page &p : pages)
                if (p.path == r.path) {
                    sandbox::Reply reply = sandbox::Reply::make(p.status, p.body, p.type);
                    reply.headers = p.headers;
                    return reply;
                }
            return std::nullopt;
        });
    }
    // Runs the counter-check over `pages` (and a refused address) and prints every difference.
    int runAndCompare(const QString &domain, const std::vector<Page> &pages) {
        serve(pages);
        sandbox::LoopbackService closed;
        const QString refused = QString::fromStdString(closed.base()) + "/weg";
        closed.stop();
        QStringList list;
        for (const Page &p : pages)
            list << QString::fromStdString(page(p.path.c_str()));
        list << refused;
        QMetaObject::invokeMethod(grid(), "setRowCount", Q_ARG(int, int(list.size())));
        for (int row = 0; row < list.size(); ++row)
            QMetaObject::invokeMethod(grid(), "setCell", Q_ARG(int, 1), Q_ARG(int, row),
                                      Q_ARG(QString, list[row]));
        edit("Edit44")->setText(domain);
        testing_gui::control<QComboBox>(form, "ComboBox19")->setCurrentText("100");
        counterCheck();
        EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
        const QString csv = data.path("reporting/backlink/found/" +
                                      kf::backlinks::fileStem(domain) + "_details.csv");
        const QString text = kf::textfile::readText(csv);
        int pos = 0;
        int diffs = 0;
        std::vector<Page> all = pages;
        Page ref;
        ref.path = "(refused)";
        ref.status = 0;
        ref.link = "nein";
        ref.noindex = "nein";
        ref.verdict = "nicht erreichbar";
        all.push_back(ref);
        for (int row = 0; row < list.size(); ++row) {
            const QStringList f = parseCsvLine(text, pos);
            const Page &p = all[row];
            const QString status = p.status ? QString::number(p.status) : QString("(failure)");
            const QStringList want = {list[row], status,   p.redirect, p.link,
                                      p.rel,     p.anchor, p.noindex,  p.verdict};
            QStringList got = f;
            while (got.size() < 8)
                got << "<missing>";
            if (!p.status && !got[1].isEmpty() && !got[1][0].isDigit())
                got[1] = "(failure)";
            QStringList bad;
            const char *names[] = {"address", "status", "redirect", "link",
                                   "rel",     "anchor", "noindex",  "verdict"};
            for (int c = 0; c < 8; ++c)
                if (got[c] != want[c])
                    bad << QString("%1: want [%2] got [%3]").arg(names[c], want[c], got[c]);
            if (!bad.isEmpty()) {
                ++diffs;
                std::cout << "DIFF " << domain.toStdString() << " " << p.path << "\n    "
                          << bad.join("\n    ").toStdString() << "\n";
            }
        }
        std::cout << "== " << domain.toStdString() << ": " << diffs << " of " << list.size()
                  << " rows differ\n";
        return diffs;
    }
};

namespace {
Page linkPage(std::string path, std::string body, QString link, QString rel, QString anchor,
              QString verdict, QString noindex = "nein", std::string head = {}) {
    Page p;
    p.path = std::move(path);
    p.body = html(head, body);
    p.link = link;
    p.rel = rel;
    p.anchor = anchor;
    p.verdict = verdict;
    p.noindex = noindex;
    return p;
}
Page statusPage(std::string path, int status, QString verdict, std::string location = {}) {
    Page p;
    p.path = std::move(path);
    p.status = status;
    p.body = "<html><body>Status</body></html>";
    if (!location.empty()) {
        p.headers.emplace_back("Location", location);
        p.redirect = QString::fromStdString(location);
    }
    p.link = "nein";
    p.noindex = "nein";
    p.verdict = verdict;
    return p;
}
const QString V = "Link vorhanden", NF = "Link nofollow", M = "nur Erwähnung", K = "kein Link";
} // namespace

TEST_F(DetailsProbe, WwwDomain) {
    std::vector<Page> pages;
    pages.push_back(linkPage(
        "/blog/urlaubstipps",
        "<article><h1>10 Tipps</h1><p>Mehr unter <a href=\"https://www.example.de/reisen/\" "
        "target=\"_blank\" rel=\"noopener noreferrer\">Example Reisen</a>.</p></article>",
        "ja", "noopener noreferrer", "Example Reisen", V));
    pages.push_back(linkPage("/verzeichnis/eintrag-17",
                             "<TABLE><TR><TD><A HREF=http://www.example.de/ "
                             "TARGET=_blank>Example GmbH</A></TD></TR></TABLE>",
                             "ja", "", "Example GmbH", V));
    pages.push_back(
        linkPage("/forum/thread-4711",
                 "<div class=post><p>Schaut mal hier: <a href=\"http://www.example.de/\" "
                 "rel=\"nofollow ugc\">www.example.de</a></p></div>",
                 "ja", "nofollow ugc", "www.example.de", NF));
    pages.push_back(linkPage(
        "/news/artikel",
        "<p>Laut <a href=\"http://www.example.de/presse\" rel=\"nofollow\">Pressemitteilung</a> "
        "...</p><p>Quelle: <a href=\"http://www.example.de/\">Example</a></p>",
        "ja", "", "Example", V));
    pages.push_back(linkPage("/relative-base", "<a href=\"produkte/index.html\">Produkte</a>", "ja",
                             "", "Produkte", V, "nein",
                             "<base href=\"http://www.example.de/shop/\">\n"));
    pages.push_back(
        linkPage("/relative-only",
                 "<a href=\"/impressum\">Impressum</a> <a href=\"kontakt.html\">Kontakt</a>",
                 "nein", "", "", K));
    pages.push_back(linkPage("/protocol-relative",
                             "<a href=\"//www.example.de/bilder/\">Bildergalerie</a>", "ja", "",
                             "Bildergalerie", V));
    pages.push_back(linkPage("/entity-href",
                             "<a href=\"http&#58;//www.example.de/?ref=blog&amp;utm=1\">Example "
                             "&amp; Co.</a>",
                             "ja", "", "Example & Co.", V));
    pages.push_back(linkPage("/port",
                             "<a href=\"http://www.example.de:8080/login\">Kundenlogin</a>", "ja",
                             "", "Kundenlogin", V));
    pages.push_back(linkPage("/trailing-dot", "<a href=\"http://www.example.de./\">Example</a>",
                             "ja", "", "Example", V));
    pages.push_back(
        linkPage("/bare-domain", "<a href=\"http://example.de/\">Example</a>", "nein", "", "", K));
    pages.push_back(linkPage("/other-subdomain", "<a href=\"http://shop.example.de/\">Shop</a>",
                             "nein", "", "", K));
    pages.push_back(linkPage("/lookalike",
                             "<a href=\"http://www.example.de.evil.com/\">Angebot</a>", "nein", "",
                             "", K));
    pages.push_back(linkPage("/userinfo-evil",
                             "<a href=\"http://www.example.de@evil.com/\">Example</a>", "nein", "",
                             "", K));
    pages.push_back(linkPage("/userinfo-ok", "<a href=\"http://gast@www.example.de/\">Example</a>",
                             "ja", "", "Example", V));
    pages.push_back(linkPage("/comment",
                             "<p>Partner</p><!-- alter Link: <a "
                             "href=\"http://www.example.de/\">Partnerseite</a> -->",
                             "nein", "", "", K));
    pages.push_back(linkPage(
        "/script",
        "<p>Partner</p><script>var partner = '<a href=\"http://www.example.de/\">Partner</a>';"
        "document.write(partner);</script>",
        "nein", "", "", K));
    pages.push_back(linkPage("/noscript",
                             "<noscript><a href=\"http://www.example.de/\">Example ohne "
                             "JavaScript</a></noscript>",
                             "ja", "", "Example ohne JavaScript", V));
    pages.push_back(
        linkPage("/template",
                 "<template id=\"row\"><a href=\"http://www.example.de/\">Vorlage</a></template>",
                 "nein", "", "", K));
    pages.push_back(linkPage("/svg",
                             "<svg width=\"100\" height=\"40\"><a href=\"http://www.example.de/\">"
                             "<text x=\"0\" y=\"20\">Logo</text></a></svg>",
                             "ja", "", "Logo", V));
    pages.push_back(linkPage("/image-link",
                             "<a href=\"http://www.example.de/\"><img src=\"/logo.png\" "
                             "alt=\"Example Logo\"></a>",
                             "ja", "", "Example Logo", V));
    pages.push_back(linkPage(
        "/rel-case", "<a href=\"http://www.example.de/\" REL=\"NoFollow External\">Example</a>",
        "ja", "NoFollow External", "Example", NF));
    pages.push_back(linkPage("/sponsored",
                             "<a rel=\"sponsored\" href=\"https://www.example.de/angebot\">Jetzt "
                             "kaufen</a>",
                             "ja", "sponsored", "Jetzt kaufen", NF));
    pages.push_back(linkPage("/mention", "<p>Wir empfehlen www.example.de für Ihre Reise.</p>",
                             "nein", "", "", M));
    pages.push_back(
        linkPage("/mention-case", "<p>Besuchen Sie WWW.EXAMPLE.DE</p>", "nein", "", "", K));
    pages.push_back(linkPage("/textarea",
                             "<p>Verlinken Sie uns:</p><textarea>&lt;a "
                             "href=\"http://www.example.de/\"&gt;Example&lt;/a&gt;</textarea>",
                             "nein", "", "", M));
    pages.push_back(linkPage("/meta-noindex", "<a href=\"http://www.example.de/\">Example</a>",
                             "ja", "", "Example", V, "ja",
                             "<meta name=\"robots\" content=\"NOINDEX, follow\">\n"));
    pages.push_back(linkPage("/meta-none", "<a href=\"http://www.example.de/\">Example</a>", "ja",
                             "", "Example", V, "ja", "<META NAME=\"Robots\" CONTENT=\"none\">\n"));
    pages.push_back(linkPage("/meta-noimageindex", "<a href=\"http://www.example.de/\">Example</a>",
                             "ja", "", "Example", V, "nein",
                             "<meta name=\"robots\" content=\"noimageindex, noarchive\">\n"));
    {
        Page p = linkPage("/xrobots-bot", "<a href=\"http://www.example.de/\">Example</a>", "ja",
                          "", "Example", V, "ja");
        p.headers.emplace_back("X-Robots-Tag", "googlebot: noindex, nofollow");
        pages.push_back(p);
    }
    {
        Page p = linkPage("/xrobots-other", "<a href=\"http://www.example.de/\">Example</a>", "ja",
                          "", "Example", V, "nein",
                          "<meta name=\"description\" content=\"noindex ist hier kein Thema\">\n");
        p.headers.emplace_back("X-Robots-Tag", "noarchive");
        pages.push_back(p);
    }
    {
        Page p = linkPage("/win1252",
                          "<a href=\"http://www.example.de/\">B\xFC"
                          "cher f\xFCr \xC4rzte \x96 Example</a>",
                          "ja", "", QString::fromUtf8("Bücher für Ärzte – Example"), V, "nein",
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=windows-1252\">\n");
        p.type = "text/html";
        pages.push_back(p);
    }
    {
        Page p = linkPage("/latin1-header-utf8-meta",
                          "<a href=\"http://www.example.de/\">Gr\xFC\xDF"
                          "e aus K\xF6ln</a>",
                          "ja", "", QString::fromUtf8("Grüße aus Köln"), V, "nein",
                          "<meta charset=\"utf-8\">\n");
        p.type = "text/html; charset=iso-8859-1";
        pages.push_back(p);
    }
    {
        Page p = linkPage("/latin1-quotes",
                          "<a href=\"http://www.example.de/\">\x84"
                          "Example\x93</a>",
                          "ja", "", QString::fromUtf8("„Example“"), V);
        p.type = "text/html; charset=ISO-8859-1";
        pages.push_back(p);
    }
    pages.push_back(
        linkPage("/utf8-header-latin1-meta", "<a href=\"http://www.example.de/\">Grüße</a>", "ja",
                 "", QString::fromUtf8("Grüße"), V, "nein", "<meta charset=\"iso-8859-1\">\n"));
    {
        Page p =
            linkPage("/meta-only-utf8", "<a href=\"http://www.example.de/\">Über uns</a>", "ja", "",
                     QString::fromUtf8("Über uns"), V, "nein", "<meta charset=\"utf-8\">\n");
        p.type = "text/html";
        pages.push_back(p);
    }
    pages.push_back(statusPage("/moved301", 301, "Weiterleitung", "https://www.example.de/neu"));
    pages.push_back(statusPage("/found302", 302, "Weiterleitung", "/anderswo"));
    pages.push_back(statusPage("/temp307", 307, "Weiterleitung", "http://www.example.de/tmp"));
    pages.push_back(statusPage("/perm308", 308, "Weiterleitung", "https://blog.example.org/"));
    pages.push_back(statusPage("/gone404", 404, "Seite fehlt"));
    pages.push_back(statusPage("/gone410", 410, "Seite fehlt"));
    pages.push_back(statusPage("/auth401", 401, "blockiert"));
    pages.push_back(statusPage("/forbidden403", 403, "blockiert"));
    pages.push_back(statusPage("/toomany429", 429, "blockiert"));
    pages.push_back(statusPage("/error500", 500, "nicht erreichbar"));
    {
        Page p;
        p.path = "/empty";
        p.body = "";
        p.link = "nein";
        p.noindex = "nein";
        p.verdict = K;
        pages.push_back(p);
    }
    pages.push_back(linkPage(
        "/whitespace-href", "<a href=\"  http://www.example.de/ \n\">\n   Example\n   Reisen  </a>",
        "ja", "", "Example Reisen", V));
    pages.push_back(linkPage("/area",
                             "<img src=\"/karte.png\" usemap=\"#m\"><map name=\"m\"><area "
                             "shape=\"rect\" coords=\"0,0,10,10\" href=\"http://www.example.de/\" "
                             "alt=\"Partner\"></map>",
                             "nein", "", "", K));
    pages.push_back(linkPage("/mailto",
                             "<a href=\"mailto:info@www.example.de\">info@www.example.de</a>",
                             "nein", "", "", M));
    pages.push_back(linkPage("/upper-scheme", "<a href=\"HTTPS://WWW.Example.DE/\">Example</a>",
                             "ja", "", "Example", V));
    pages.push_back(linkPage("/backslash",
                             "<a href=\"http:\\\\www.example.de\\kontakt\">Kontakt</a>", "ja", "",
                             "Kontakt", V));
    pages.push_back(linkPage("/link-element", "<p>Nur Text</p>", "nein", "", "", K, "nein",
                             "<link rel=\"canonical\" href=\"http://www.example.de/\">\n"));
    pages.push_back(linkPage("/nofollow-only",
                             "<a href=\"http://www.example.de/a\" rel=\"nofollow\">A</a> <a "
                             "href=\"http://www.example.de/b\" rel=\"nofollow\">B</a>",
                             "ja", "nofollow", "A", NF));
    pages.push_back(linkPage("/rel-follow",
                             "<a href=\"http://www.example.de/\" rel=\"follow\">Example</a>", "ja",
                             "follow", "Example", V));
    pages.push_back(linkPage("/meta-googlebot", "<a href=\"http://www.example.de/\">Example</a>",
                             "ja", "", "Example", V, "ja",
                             "<meta name=\"googlebot\" content=\"noindex\">\n"));
    runAndCompare("www.example.de", pages);
}

TEST_F(DetailsProbe, BareDomain) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/b-www", "<a href=\"http://www.example.de/\">Startseite</a>", "ja",
                             "", "Startseite", V));
    pages.push_back(
        linkPage("/b-shop", "<a href=\"https://shop.example.de/\">Shop</a>", "ja", "", "Shop", V));
    pages.push_back(linkPage("/b-bare", "<a href=\"http://example.de\">Startseite</a>", "ja", "",
                             "Startseite", V));
    pages.push_back(linkPage("/b-notexample", "<a href=\"http://notexample.de/\">Angebote</a>",
                             "nein", "", "", K));
    pages.push_back(linkPage("/b-evil", "<a href=\"http://example.de.evil.com/\">Angebote</a>",
                             "nein", "", "", K));
    pages.push_back(
        linkPage("/b-dev", "<a href=\"http://example.dev/\">Angebote</a>", "nein", "", "", K));
    pages.push_back(linkPage("/b-mention-sub", "<p>Shop: shop.example.de</p>", "nein", "", "", M));
    runAndCompare("example.de", pages);
}

TEST_F(DetailsProbe, DomainWithScheme) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/c-https", "<a href=\"https://www.example.de/\">Example</a>", "ja",
                             "", "Example", V));
    pages.push_back(linkPage("/c-mention-host", "<p>www.example.de</p>", "nein", "", "", K));
    pages.push_back(
        linkPage("/c-mention-full", "<p>Adresse: http://www.example.de</p>", "nein", "", "", M));
    runAndCompare("http://www.example.de", pages);
}

TEST_F(DetailsProbe, UmlautDomain) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/d-puny", "<a href=\"http://www.xn--mller-kva.de/\">Müller</a>", "ja",
                             "", QString::fromUtf8("Müller"), V));
    pages.push_back(linkPage("/d-utf8", "<a href=\"http://www.müller.de/\">Bäckerei</a>", "ja", "",
                             QString::fromUtf8("Bäckerei"), V));
    {
        Page p = linkPage("/d-latin1", "<a href=\"http://www.m\xFCller.de/\">M\xFCller</a>", "ja",
                          "", QString::fromUtf8("Müller"), V);
        p.type = "text/html; charset=iso-8859-1";
        pages.push_back(p);
    }
    pages.push_back(linkPage("/d-mueller", "<a href=\"http://www.mueller.de/\">Mueller</a>", "nein",
                             "", "", K));
    runAndCompare(QString::fromUtf8("www.müller.de"), pages);
}

TEST_F(DetailsProbe, SecondBatch) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/textarea-raw",
                             "<p>Code:</p><textarea rows=3><a href=\"http://www.example.de/\">"
                             "Example</a></textarea>",
                             "nein", "", "", M));
    pages.push_back(linkPage("/entity-host",
                             "<a href=\"http://www&#46;example&#46;de/\">Zur Seite</a>", "ja", "",
                             "Zur Seite", V));
    pages.push_back(linkPage(
        "/xlink", "<svg><a xlink:href=\"http://www.example.de/\"><text>Logo</text></a></svg>", "ja",
        "", "Logo", V));
    pages.push_back(linkPage("/follow-then-nofollow",
                             "<a href=\"http://www.example.de/\">Erster</a> <a "
                             "href=\"http://www.example.de/b\" rel=\"nofollow\">Zweiter</a>",
                             "ja", "", "Erster", V));
    pages.push_back(linkPage("/ugc-only",
                             "<a href=\"http://www.example.de/\" rel=\"ugc\">Example</a>", "ja",
                             "ugc", "Example", NF));
    pages.push_back(
        linkPage("/rel-dup",
                 "<a rel=\"nofollow\" rel=\"follow\" href=\"http://www.example.de/\">Example</a>",
                 "ja", "nofollow", "Example", NF));
    pages.push_back(linkPage("/meta-comment", "<a href=\"http://www.example.de/\">Example</a>",
                             "ja", "", "Example", V, "nein",
                             "<!-- <meta name=\"robots\" content=\"noindex\"> -->\n"));
    pages.push_back(linkPage("/meta-index-nofollow",
                             "<a href=\"http://www.example.de/\">Example</a>", "ja", "", "Example",
                             NF, "nein", "<meta name=\"robots\" content=\"index,nofollow\">\n"));
    {
        Page p = linkPage("/xrobots-multi", "<a href=\"http://www.example.de/\">Example</a>", "ja",
                          "", "Example", V, "ja");
        p.headers.emplace_back("X-Robots-Tag", "noarchive");
        p.headers.emplace_back("X-Robots-Tag", "noindex");
        pages.push_back(p);
    }
    {
        Page p = linkPage("/xrobots-unavailable", "<a href=\"http://www.example.de/\">Example</a>",
                          "ja", "", "Example", V, "nein");
        p.headers.emplace_back("X-Robots-Tag", "unavailable_after: 25 Jun 2030 15:00:00 PST");
        pages.push_back(p);
    }
    {
        Page p = linkPage("/bom-utf8", "<a href=\"http://www.example.de/\">Grüße</a>", "ja", "",
                          QString::fromUtf8("Grüße"), V);
        p.body = "\xEF\xBB\xBF" + p.body;
        p.type = "text/html";
        pages.push_back(p);
    }
    {
        Page p = linkPage("/bom-header-latin1", "<a href=\"http://www.example.de/\">Grüße</a>",
                          "ja", "", QString::fromUtf8("Grüße"), V);
        p.body = "\xEF\xBB\xBF" + p.body;
        p.type = "text/html; charset=iso-8859-1";
        pages.push_back(p);
    }
    {
        Page p = linkPage("/charset-quoted", "<a href=\"http://www.example.de/\">M\xFCller</a>",
                          "ja", "", QString::fromUtf8("Müller"), V);
        p.type = "text/html; charset=\"windows-1252\"";
        pages.push_back(p);
    }
    {
        Page p = linkPage("/no-charset-latin1", "<a href=\"http://www.example.de/\">M\xFCller</a>",
                          "ja", "", QString::fromUtf8("Müller"), V);
        p.type = "text/html";
        pages.push_back(p);
    }
    pages.push_back(statusPage("/see303", 303, "Weiterleitung", "http://www.example.de/"));
    pages.push_back(statusPage("/busy503", 503, "nicht erreichbar"));
    pages.push_back(statusPage("/legal451", 451, "nicht erreichbar"));
    pages.push_back(
        linkPage("/empty-anchor", "<a href=\"http://www.example.de/\"></a>", "ja", "", "", V));
    pages.push_back(linkPage("/nbsp-anchor",
                             "<a href=\"http://www.example.de/\">Example&nbsp;Reisen</a>", "ja", "",
                             "Example Reisen", V));
    pages.push_back(
        linkPage("/iframe", "<iframe src=\"http://www.example.de/\"></iframe>", "nein", "", "", K));
    pages.push_back(
        linkPage("/google-redirect",
                 "<a href=\"https://www.google.com/url?q=http://www.example.de/\">Treffer</a>",
                 "nein", "", "", K));
    pages.push_back(
        linkPage("/conditional",
                 "<!--[if lt IE 9]><a href=\"http://www.example.de/ie\">alt</a><![endif]-->"
                 "<!--[if !IE]><!--><a href=\"http://www.example.de/\">Example</a>"
                 "<!--<![endif]-->",
                 "ja", "", "Example", V));
    pages.push_back(
        linkPage("/empty-comment",
                 "<!--> <a href=\"http://www.example.de/\">Example</a> <p>mehr</p> <!-- x -->",
                 "ja", "", "Example", V));
    pages.push_back(linkPage(
        "/data-attr", "<div data-link='<a href=\"http://www.example.de/\">x</a>'>Hallo</div>",
        "nein", "", "", K));
    pages.push_back(
        linkPage("/title-raw", "<p>Hallo</p>", "nein", "", "", M, "nein",
                 "<title>Link: <a href=\"http://www.example.de/\">Example</a></title>\n"));
    runAndCompare("www.example.de", pages);
}

TEST_F(DetailsProbe, DomainTextVariants) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/e-http", "<a href=\"http://www.example.de/\">Example</a>", "ja", "",
                             "Example", V));
    runAndCompare(" https://www.Example.de/ ", pages);
}

TEST_F(DetailsProbe, AceDomainText) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/f-utf8", "<a href=\"http://www.müller.de/\">Müller</a>", "ja", "",
                             QString::fromUtf8("Müller"), V));
    pages.push_back(linkPage("/f-ace", "<a href=\"http://www.xn--mller-kva.de/\">Müller</a>", "ja",
                             "", QString::fromUtf8("Müller"), V));
    pages.push_back(linkPage("/f-shop", "<a href=\"http://www.xn--mller-kva.shop/\">Müller</a>",
                             "nein", "", "", K));
    runAndCompare("www.xn--mller-kva.de", pages);
}

TEST_F(DetailsProbe, UmlautShopDomain) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/g-ace", "<a href=\"https://xn--bcker-gra.shop/\">Shop</a>", "ja", "",
                             "Shop", V));
    pages.push_back(
        linkPage("/g-utf8", "<a href=\"https://bäcker.shop/\">Shop</a>", "ja", "", "Shop", V));
    runAndCompare(QString::fromUtf8("bäcker.shop"), pages);
}

TEST_F(DetailsProbe, LoopbackDomain) {
    std::vector<Page> pages;
    pages.push_back(linkPage("/h-rel", "<a href=\"/kontakt\">Kontakt</a>", "ja", "", "Kontakt", V));
    runAndCompare("127.0.0.1", pages);
}
