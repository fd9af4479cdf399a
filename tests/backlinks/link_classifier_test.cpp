// What a linking page holds for the domain checked: link, rel, anchor, noindex and verdict.
#include "backlinks/link_classifier.h"
#include "backlinks/parse_bounds.h"
#include "net/http_client.h"
#include "sandbox/loopback_service.h"
#include "tests/support/gui_helpers.h"

#include <QUrl>

using namespace kf::backlinks;

namespace {

struct PageCase {
    const char *what;
    const char *address;
    int status;
    const char *body;
    const char *verdict;
    bool link = false;
    const char *rel = "";
    const char *anchor = "";
    bool noindex = false;
    const char *location = "";
    const char *robotsTag = "";
    const char *contentType = "text/html; charset=utf-8";
};

const char *const kOther = "http://blog.other.test/artikel/";

const PageCase kPages[] = {
    {"absolute link", kOther, 200, "<p>Siehe <a href=\"https://example.com/\">Beispiel</a></p>",
     "Link vorhanden", true, "", "Beispiel"},
    {"relative link on a page of a subdomain", "http://blog.example.com/post", 200,
     "<a href=\"/kontakt\">Kontakt</a>", "Link vorhanden", true, "", "Kontakt"},
    {"relative link through base href", kOther, 200,
     "<html><head><base href=\"https://www.example.com/shop/\"></head>"
     "<body><a href=\"produkt.html\">Produkt</a></body></html>",
     "Link vorhanden", true, "", "Produkt"},
    {"relative link elsewhere naming the domain in its path", kOther, 200,
     "<a href=\"/example.com\">x</a>", "kein Link"},
    {"subdomain link, protocol-relative", kOther, 200, "<a href=\"//shop.EXAMPLE.com/x\">Shop</a>",
     "Link vorhanden", true, "", "Shop"},
    {"look-alike hosts", kOther, 200,
     "<a href=\"https://notexample.com/\">a</a><a href=\"https://example.com.evil.test/\">b</a>",
     "kein Link"},
    {"nofollow", kOther, 200, "<a rel=\"nofollow\" href=\"https://example.com\">x</a>",
     "Link nofollow", true, "nofollow", "x"},
    {"sponsored combined", kOther, 200,
     "<a rel=\"Sponsored noopener\" href=\"https://example.com\">x</a>", "Link nofollow", true,
     "Sponsored noopener", "x"},
    {"ugc", kOther, 200, "<a rel=ugc href=https://example.com>x</a>", "Link nofollow", true, "ugc",
     "x"},
    {"noopener is followed", kOther, 200,
     "<a rel=\"noopener noreferrer\" href=\"https://example.com\">x</a>", "Link vorhanden", true,
     "noopener noreferrer", "x"},
    {"a followed link outranks a nofollow one", kOther, 200,
     "<a rel=nofollow href=https://example.com/a>erst</a> <a href=https://example.com/b>dann</a>",
     "Link vorhanden", true, "", "dann"},
    {"image link takes the alt text, entities decoded", kOther, 200,
     "<a href=\"https://example.com/?a=1&amp;b=2\"><img src=l.png alt=\"Logo &amp; Co\"></a>",
     "Link vorhanden", true, "", "Logo & Co"},
    {"mention without a link", kOther, 200,
     "<p>Besuchen Sie Example.com, dort gibt es mehr.</p><a href=https://other.test/>x</a>",
     "nur Erwähnung"},
    {"a longer name is no mention", kOther, 200, "<p>myexample.com und example.community</p>",
     "kein Link"},
    {"link in a comment", kOther, 200,
     "<!-- <a href=\"https://example.com/\">alt</a> --><p>nichts</p>", "kein Link"},
    {"link and mention in a script", kOther, 200,
     "<script>document.write('<a href=\"https://example.com/\">x</a>')</script>", "kein Link"},
    {"javascript address", kOther, 200, "<a href=\"javascript:go('https://example.com')\">x</a>",
     "kein Link"},
    {"noindex by meta", kOther, 200,
     "<head><meta name=\"robots\" content=\"noindex, follow\"></head>"
     "<a href=https://example.com>x</a>",
     "Link vorhanden", true, "", "x", true},
    {"nofollow by meta makes every link nofollow", kOther, 200,
     "<meta name=robots content=nofollow><a href=https://example.com>x</a>", "Link nofollow", true,
     "", "x"},
    {"noindex by header", kOther, 200, "<a href=https://example.com>x</a>", "Link vorhanden", true,
     "", "x", true, "", "googlebot: noindex"},
    {"redirect", kOther, 301, "", "Weiterleitung", false, "", "", false, "/neu"},
    {"missing", kOther, 404, "<a href=https://example.com>x</a>", "Seite fehlt"},
    {"gone", kOther, 410, "", "Seite fehlt"},
    {"forbidden", kOther, 403, "", "blockiert"},
    {"too many requests", kOther, 429, "", "blockiert"},
    {"server error", kOther, 500, "", "nicht erreichbar"},
    {"charset of the header", kOther, 200,
     "<a href=https://example.com>B\xFC"
     "cher</a>",
     "Link vorhanden", true, "", "Bücher", false, "", "", "text/html; charset=ISO-8859-1"},
    {"charset of a meta tag", kOther, 200,
     "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">"
     "<a href=https://example.com>\x80 5</a>",
     "Link vorhanden", true, "", "€ 5", false, "", "", "text/html"},
    // Addresses as browsers read them.
    {"host with the trailing dot of a full name", kOther, 200,
     "<a href=\"http://www.example.com./\">x</a>", "Link vorhanden", true, "", "x"},
    {"backslashes for slashes", kOther, 200, "<a href=\"https:\\\\example.com\\k\">k</a>",
     "Link vorhanden", true, "", "k"},
    {"host written with character references", kOther, 200,
     "<a href=\"https://www&#46;example&#x2E;com/\">x</a>", "Link vorhanden", true, "", "x"},
    {"link after an empty comment", kOther, 200, "<!--> <a href=https://example.com>x</a> <!-- -->",
     "Link vorhanden", true, "", "x"},
    {"link code in a textarea is text", kOther, 200,
     "<textarea><a href=\"https://example.com/\">Example</a></textarea>", "nur Erwähnung"},
    {"markup in the title is text", kOther, 200,
     "<title><a href=https://example.com>t</a></title><p>x</p>", "nur Erwähnung"},
};

} // namespace

TEST(LinkClassifier, PagesWrittenForTheCheck) {
    for (const PageCase &c : kPages) {
        SCOPED_TRACE(c.what);
        PageReply reply;
        reply.address = QString::fromLatin1(c.address);
        reply.status = c.status;
        reply.body = c.body;
        reply.location = c.location;
        reply.robotsTag = c.robotsTag;
        reply.contentType = c.contentType;
        const LinkFindings found = classifyPage(reply, QStringLiteral("example.com"));
        EXPECT_EQ(found.verdict, QString::fromUtf8(c.verdict));
        EXPECT_EQ(found.hasLink, c.link);
        EXPECT_EQ(found.rel, QString::fromUtf8(c.rel));
        EXPECT_EQ(found.anchor, QString::fromUtf8(c.anchor));
        EXPECT_EQ(found.noindex, c.noindex);
    }
}

TEST(LinkClassifier, ResolvesTargetsAndTakesTheDomainInAnyForm) {
    PageReply reply;
    reply.address = kOther;
    reply.status = 200;
    reply.body = "<base href=\"https://www.example.com/shop/\"><a href=\"../p?x=1\">p</a>";
    for (const char *domain : {"example.com", "http://www.example.com/", "WWW.Example.com/x"}) {
        const LinkFindings found = classifyPage(reply, QString::fromLatin1(domain));
        EXPECT_EQ(found.linkTarget, "https://www.example.com/p?x=1") << domain;
    }
    reply.status = 302;
    reply.location = "https://neu.test/ziel";
    EXPECT_EQ(classifyPage(reply, "example.com").redirectTarget, "https://neu.test/ziel");
}

// An international domain counts in its own letters and in its ACE form, typed either way.
TEST(LinkClassifier, InternationalNamesInEitherForm) {
    PageReply reply;
    reply.address = kOther;
    reply.status = 200;
    for (const char *domain : {"www.müller.de", "www.xn--mller-kva.de", "bäcker.shop"}) {
        const QString host = QString::fromUtf8(domain).remove("www.");
        const QString ace = QString::fromLatin1(QUrl::toAce(host));
        for (const QString &written : {host, ace}) {
            reply.body = "<a href=\"http://" + written.toUtf8() + "/\">x</a>";
            EXPECT_EQ(classifyPage(reply, QString::fromUtf8(domain)).verdict, "Link vorhanden")
                << domain << " written " << written.toStdString();
            reply.body = "<p>Bei " + written.toUtf8() + " gibt es mehr</p>";
            EXPECT_EQ(classifyPage(reply, QString::fromUtf8(domain)).verdict, "nur Erwähnung")
                << domain << " written " << written.toStdString();
        }
    }
}

// The counter-check hands over what the fetch service gives: the decoded text of a 2xx page or
// the FetchError of any other answer.
TEST(LinkClassifier, WorksOnWhatTheFetchServiceReturns) {
    sandbox::LoopbackService web;
    web.handle([](const sandbox::Request &request) -> std::optional<sandbox::Reply> {
        if (request.path == "/latin")
            return sandbox::Reply::make(200,
                                        "<a href=\"http://example.com/\">B\xFC"
                                        "cher</a>",
                                        "text/html; charset=iso-8859-1");
        if (request.path == "/utf8")
            return sandbox::Reply::html("<p>Grüße an example.com</p>");
        if (request.path == "/gesperrt")
            return sandbox::Reply::withStatus(403, "<a href=\"http://example.com/\">x</a>");
        return std::nullopt;
    });
    const QString base = QString::fromStdString(web.base());
    kf::net::HttpClient client;
    const auto check = [&](const QString &path) {
        return classifyPage(fetchPage(client, base + path), "example.com");
    };
    const LinkFindings latin = check("/latin");
    EXPECT_EQ(latin.verdict, "Link vorhanden");
    EXPECT_EQ(latin.anchor, "Bücher");
    EXPECT_EQ(check("/utf8").verdict, "nur Erwähnung");
    EXPECT_EQ(check("/gesperrt").verdict, "blockiert");
    EXPECT_EQ(check("/fehlt").verdict, "Seite fehlt");
    web.stop();
    const PageReply refused = fetchPage(client, base + "/latin");
    EXPECT_EQ(refused.status, 0);
    EXPECT_FALSE(statusText(refused).isEmpty());
    EXPECT_EQ(classifyPage(refused, "example.com").verdict, "nicht erreichbar");
}

// A large page is parsed whole: what lies far into it still counts, and what lies in a long
// script or comment still does not.
TEST(LinkClassifier, LargePagesKeepTheirMeaning) {
    QByteArray filler;
    while (filler.size() < 300000)
        filler +=
            "<div><p>Text <a href=\"https://other.test/\">anderswo</a> <abbr>x</abbr></p></div>\n";
    PageReply reply;
    reply.address = kOther;
    reply.status = 200;
    reply.body = "<script>" + filler + "var a='<a href=https://example.com>s</a>';</script>" +
                 filler + "<!--" + filler + "<a href=https://example.com>c</a>-->" + filler;
    EXPECT_EQ(classifyPage(reply, "example.com").verdict, "kein Link");
    reply.body +=
        "<aside><a rel=nofollow href=\"https://example.com/\">spät <b>fett</b></a></aside>";
    const LinkFindings found = classifyPage(reply, "example.com");
    EXPECT_EQ(found.verdict, "Link nofollow");
    EXPECT_EQ(found.anchor, "spät fett");
}

// Pages read as a browser builds its document: one case per way a page can hide or show a
// link, the verdict for the domain "münchen-test.de".
TEST(LinkClassifier, PagesAsABrowserReadsThem) {
    struct Case {
        const char *what;
        const char *body;
        const char *verdict;
        const char *contentType = "text/html";
    };
    const Case cases[] = {
        {"a comment closed by --!> ends there",
         "<!-- alt --!><a href=\"http://xn--mnchen-test-thb.de/\">x</a>", "Link vorhanden"},
        {"a script ends only at its end tag",
         "<script>var s = '<\\/script>'; if (a</b) {}</script><a "
         "href=\"http://xn--mnchen-test-thb.de\">x</a>",
         "Link vorhanden"},
        {"an anchor text that opens a comment",
         "<a href=\"http://a.test/\">&lt;!-- x</a> <a href=\"http://xn--mnchen-test-thb.de\">y</a>",
         "Link vorhanden"},
        {"an attribute without a value and a stray quote",
         "<a title data-x=\"1\"\" href=\"http://xn--mnchen-test-thb.de\">x</a>", "Link vorhanden"},
        {"a page cut off inside a tag", "<p>Text</p><a href=\"http://xn--mnchen-test-thb.de\"",
         "kein Link"},
        {"a link in SVG character data", "<svg><style><![CDATA[ a > b ]]></style></svg><p>x</p>",
         "kein Link"},
        {"markup after plaintext is text",
         "<plaintext><a href=\"http://xn--mnchen-test-thb.de\">x</a>", "nur Erwähnung"},
        {"a link inside a template inside a template",
         "<template><template><a "
         "href=\"http://xn--mnchen-test-thb.de\">x</a></template></template>",
         "kein Link"},
        {"an end tag with a quoted >",
         "</div title=\"a>b\"><a href=\"http://xn--mnchen-test-thb.de\">x</a>", "Link vorhanden"},
        {"the host written with entities", "<a href=\"http://m&uuml;nchen-test.de/\">x</a>",
         "Link vorhanden"},
        {"the host in capitals", "<a href=\"HTTP://WWW.M&Uuml;NCHEN-TEST.DE/\">x</a>",
         "Link vorhanden"},
        {"the host percent-encoded", "<a href=\"http://m%C3%BCnchen-test.de/\">x</a>",
         "Link vorhanden"},
        {"the host decomposed", "<a href=\"http://mu\xCC\x88nchen-test.de/\">x</a>",
         "Link vorhanden", "text/html; charset=utf-8"},
        {"a tab and a newline in the href", "<a href=\"ht\ttp://m\xC3\xBCnchen-\ntest.de/\">x</a>",
         "Link vorhanden", "text/html; charset=utf-8"},
        {"HTML in an SVG title",
         "<svg><title><a href=\"http://xn--mnchen-test-thb.de\">x</a></title></svg>",
         "Link vorhanden"},
        {"an SVG link", "<svg><a href=\"http://xn--mnchen-test-thb.de\"><text>x</text></a></svg>",
         "Link vorhanden"},
        {"a link beyond 5000 nested elements", nullptr, "Link vorhanden"},
        {"an ASCII page whose meta says UTF-16",
         "<meta charset=\"utf-16\"><a href=\"http://xn--mnchen-test-thb.de\">x</a>",
         "Link vorhanden"},
        {"a page whose meta says UTF-7",
         "<meta charset=\"utf-7\"><a href=\"http://m\xC3\xBCnchen-test.de\">x</a>",
         "Link vorhanden"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        PageReply reply;
        reply.address = kOther;
        reply.status = 200;
        reply.body = c.body ? QByteArray(c.body)
                            : QByteArray("<div>").repeated(5000) +
                                  "<a href=\"http://xn--mnchen-test-thb.de\">x</a>";
        reply.contentType = c.contentType;
        EXPECT_EQ(classifyPage(reply, QString::fromUtf8("m\u00fcnchen-test.de")).verdict,
                  QString::fromUtf8(c.verdict));
    }
}

// The bounds pass leaves ordinary markup, however sloppy, to the parser byte for byte, and cuts
// down only what would make the parser quadratic.
TEST(LinkClassifier, BoundsTouchOnlyPathologicalMarkup) {
    const QByteArray ordinary[] = {
        "<p>eins<p>zwei" + QByteArray("<p>Absatz <b>fett</b> <i>kursiv").repeated(3000),
        "<ul>" + QByteArray("<li>Punkt <a href=/x>x</a>").repeated(3000) + "</ul>",
        "<table>" + QByteArray("<tr><td>a<td><font color=red>b").repeated(3000) + "</table>",
        "<dl>" + QByteArray("<dt>x<dd><span>y</span>").repeated(3000),
        "<select>" + QByteArray("<option>a<optgroup><option>b").repeated(3000),
        QByteArray("<div>").repeated(400) + "<script>" + QByteArray("<div>").repeated(9000) +
            "</script>",
        "<!--" + QByteArray("<div>").repeated(9000) + "-->",
        "<p " + QByteArray("data-x=1 ").repeated(200) + ">",
    };
    for (const QByteArray &page : ordinary)
        EXPECT_FALSE(boundedForParser(std::string_view(page.constData(), page.size())))
            << page.left(40).toStdString();

    const QByteArray link = "<a href=\"https://example.com/\">x</a>";
    const auto numbered = [](const char *before, const char *after, int count) {
        QByteArray page;
        for (int i = 0; i < count; ++i)
            page += before + QByteArray::number(i) + after;
        return page;
    };
    const QByteArray pathological[] = {
        QByteArray("<span><div></span>").repeated(3000),
        numbered("<b id=", "></p>x", 300),
        "<p" + numbered(" a", "=1", 1000) + " href=h>",
    };
    for (const QByteArray &page : pathological) {
        const QByteArray withLink = page + link;
        const auto bounded =
            boundedForParser(std::string_view(withLink.constData(), withLink.size()));
        ASSERT_TRUE(bounded) << page.left(40).toStdString();
        EXPECT_TRUE(QByteArray::fromStdString(*bounded).endsWith(link));
    }
    // Beyond the depth bound a script stays a script: its text never becomes a link.
    PageReply deep;
    deep.address = kOther;
    deep.status = 200;
    deep.body = QByteArray("<div>").repeated(600) +
                "<script>document.write('<a href=\"https://example.com/\">x</a>')</script>";
    EXPECT_EQ(classifyPage(deep, "example.com").verdict, "kein Link");
}
