// What "Extrakt" collects from sitemaps as generators write them: the loc values of url and
// sitemap elements, decoded, and nothing else.
#include "net/body_decoding.h"
#include "tests/sitemap/crawler_window.h"

using namespace testing_sitemap;

namespace {

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";

struct ReadingCase {
    const char *name;
    std::string path; // where the sitemap lies: relative addresses are resolved against it
    std::string body;
    std::string contentType;
    QStringList expected; // "BASE" stands for the stand-in's scheme, host and port
    const char *status;   // a text the status bar shows, or "" for none
};
// Test lists name a case by its name, not by a dump of its bytes.
void PrintTo(const ReadingCase &c, std::ostream *out) {
    *out << c.name;
}

const std::string kLong = "http://www.example.com/" + std::string(5000, 'x');

std::vector<ReadingCase> readingCases() {
    return {
        {"RootStartTagOverCrLfLines",
         "/sitemap.xml",
         "<?xml version=\"1.0\"?>\r\n"
         "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"\r\n"
         "  xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
         "  xsi:schemaLocation=\"http://www.sitemaps.org/schemas/sitemap/0.9\r\n"
         "    http://www.sitemaps.org/schemas/sitemap/0.9/sitemap.xsd\">\r\n"
         "<url>\r\n  <loc>http://www.example.com/</loc>\r\n</url>\r\n"
         "<url>\r\n  <loc>https://www.example.com/kontakt</loc>\r\n</url>\r\n</urlset>\r\n",
         "application/xml",
         {"http://www.example.com/", "https://www.example.com/kontakt"},
         ""},
        {"ImagesAndLanguageAlternatesAreNoPages",
         "/sitemap.xml",
         "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"\n"
         " xmlns:image=\"http://www.google.com/schemas/sitemap-image/1.1\"\n"
         " xmlns:xhtml=\"http://www.w3.org/1999/xhtml\">\n"
         "<url><loc>http://www.example.com/de/</loc>\n"
         "<xhtml:link rel=\"alternate\" hreflang=\"en\" href=\"http://www.example.com/en/\"/>\n"
         "<image:image><image:loc>http://www.example.com/bild.jpg</image:loc></image:image>\n"
         "</url>\n"
         // an extension prefix nobody declared does not stop the reading
         "<url><loc>http://www.example.com/en/</loc><video:video><video:player_loc>"
         "http://www.example.com/v</video:player_loc></video:video></url>\n</urlset>\n",
         "text/xml",
         {"http://www.example.com/de/", "http://www.example.com/en/"},
         ""},
        {"EntitiesCdataAndWhiteSpaceDecoded",
         "/sitemap.xml",
         kHead +
             "<url><loc>http://www.example.com/?a=1&amp;b=2</loc></url>\n"
             "<url><loc><![CDATA[http://www.example.com/c?x=1&y=2]]></loc></url>\n"
             "<url><loc>\n    http://www.example.com/gr&#xFC;n\n  </loc></url>\n"
             "<url><loc>http://www.example.com/gr\xC3\xBC\x6E</loc></url>\n" // a duplicate
             "<url><loc>http://www.example.com/</loc></url>\n"
             "<url><loc>http://www.example.com/ge&#13;&#10;teilt</loc></url>\n"
             "<url><loc>" +
             kLong + "</loc></url>\n</urlset>\n",
         "application/xml", // no charset: the XML's own encoding counts
         {"http://www.example.com/?a=1&b=2", "http://www.example.com/c?x=1&y=2",
          "http://www.example.com/grün", "http://www.example.com/",
          "http://www.example.com/geteilt", QString::fromStdString(kLong.substr(0, 4096))},
         ""},
        {"NamesInAnyLetterCaseAndOnlyWebSchemes",
         "/sitemap.xml",
         "\n\n<URLSET><URL><LOC>ftp://www.example.com/datei</LOC></URL>"
         "<Url><Loc>HTTP://www.example.com/upper</Loc></Url>"
         "<url><LOC>http://www.example.com/lower</LOC></url></URLSET>",
         "application/xml",
         {"http://www.example.com/lower"},
         ""},
        {"RelativeAddressesResolvedAgainstTheSitemap",
         "/blog/sitemap.xml",
         kHead + "<url><loc>/impressum.html</loc></url>\n"
                 "<url><loc>beitrag-1.html</loc></url>\n"
                 "<url><loc>http://www.example.com/absolut</loc></url>\n"
                 "<url><loc></loc></url>\n</urlset>\n",
         "application/xml",
         {"BASE/impressum.html", "BASE/blog/beitrag-1.html", "http://www.example.com/absolut"},
         ""},
        {"IndexListsItsSitemaps",
         "/sitemap_index.xml",
         sitemapIndex({"http://www.example.com/post-sitemap.xml",
                       "http://www.example.com/page-sitemap.xml"}),
         "text/xml; charset=UTF-8",
         {"http://www.example.com/post-sitemap.xml", "http://www.example.com/page-sitemap.xml"},
         "Sitemap-Index mit 2 Unter-Sitemaps"},
        {"HtmlErrorPageIsNoSitemap",
         "/sitemap.xml",
         "<!DOCTYPE html>\n<html><head><title>Seite nicht gefunden</title></head>\n"
         "<body><a href=\"http://www.example.com/\">Start</a><br></body></html>\n",
         "text/html",
         {},
         "Keine Sitemap: BASE/sitemap.xml liefert kein Sitemap-XML"},
        {"BrokenOffSitemapKeepsTheAddressesBefore",
         "/sitemap.xml",
         kHead + "<url><loc>http://www.example.com/a</loc></url>\n"
                 "<url><loc>http://www.example.com/b</loc></url>\n<url><loc>http://www.exa",
         "application/xml",
         {"http://www.example.com/a", "http://www.example.com/b"},
         "bricht in Zeile 5 ab"},
    };
}

class Reading : public Crawler, public ::testing::WithParamInterface<ReadingCase> {};

} // namespace

TEST_P(Reading, CollectsThePageAddressesOnly) {
    const ReadingCase &c = GetParam();
    serve(c.path, Reply::make(200, c.body, c.contentType));
    setMemoText(memo, "http://old.example/\r\n");
    extract(url(c.path));

    ASSERT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
    const QString base = url("");
    QStringList expected = c.expected;
    expected.replaceInStrings("BASE", base);
    EXPECT_EQ(collected(), expected);
    EXPECT_EQ(caption(), QString::number(expected.size()) + " Links gefunden");
    const QString status = QString::fromUtf8(c.status).replace("BASE", base);
    if (status.isEmpty())
        EXPECT_EQ(this->status(), caption()); // nothing to say beyond the count
    else
        EXPECT_TRUE(this->status().contains(status)) << this->status().toStdString();
    // speich still receives the sitemap, each loc value on a line of its own.
    const QString reply = kf::net::decodeBody(QByteArray::fromStdString(c.body),
                                              QByteArray::fromStdString(c.contentType));
    EXPECT_EQ(memoText(speich), QString(reply)
                                    .replace("<loc>", "<loc>\r\n", Qt::CaseInsensitive)
                                    .replace("</loc>", "\r\n</loc>", Qt::CaseInsensitive));
}

INSTANTIATE_TEST_SUITE_P(Sitemaps, Reading, ::testing::ValuesIn(readingCases()),
                         [](const auto &info) { return std::string(info.param.name); });
