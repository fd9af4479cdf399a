// The details report of the counter-check: its names, its CSV and its HTML document.
#include "backlinks/link_details.h"
#include "backlinks/report_names.h"
#include "tests/support/file_bytes.h"
#include "tests/support/gui_helpers.h"

using namespace kf::backlinks;

TEST(LinkDetails, NamesCarryTheSourceAndACancel) {
    const struct {
        const char *source;
        bool cancelled;
        const char *name;
    } cases[] = {
        {"xovi", false, "f/example_20261208_xovi_details"},
        {"seokicks", false, "f/example_20261208_seokicks_details"},
        {"", false, "f/example_20261208_details"},
        {"xovi", true, "f/example_20261208_xovi_abgebrochen_details"},
        {"", true, "f/example_20261208_abgebrochen_details"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(detailsStem("f/example_20261208", c.source, c.cancelled), c.name);
}

TEST(LinkDetails, AHeaderRowThenOneRowPerAddressInBothForms) {
    testing_gui::DataFolder folder;
    LinkDetails details("example.com");
    PageReply failed;
    failed.address = "http://tot.test/";
    failed.failure = "Connection refused";
    details.add(failed);
    PageReply page;
    page.address = "http://a.test/x";
    page.status = 200;
    page.body = "<a rel=\"nofollow ugc\" href=\"https://example.com\">Tom &amp; \"Jerry\" "
                "&lt;b&gt; M\xC3\xBCller</a>";
    page.contentType = "text/html; charset=utf-8";
    details.add(page);
    PageReply moved;
    moved.address = "http://a.test/alt";
    moved.status = 301;
    moved.location = "/neu";
    details.add(moved);
    DetailsHeading heading{"example.com", "SEOkicks", QDate(2026, 12, 8), 3, 5, true};
    details.save(folder.path("example_details"), heading);

    EXPECT_EQ(testing_files::readBytes(folder.path("example_details.csv")),
              QByteArray("\xEF\xBB\xBF"
                         "Adresse,Status,Weiterleitung,Link,rel,Ankertext,noindex,Ergebnis\r\n"
                         "http://tot.test/,\"Connection refused\",,nein,,,nein,\"nicht "
                         "erreichbar\"\r\n"
                         "http://a.test/x,200,,ja,\"nofollow ugc\",\"Tom & \"\"Jerry\"\" <b> "
                         "M\xC3\xBCller\",nein,\"Link nofollow\"\r\n"
                         "http://a.test/alt,301,http://a.test/neu,nein,,,nein,Weiterleitung\r\n"));
    const QString html =
        QString::fromUtf8(testing_files::readBytes(folder.path("example_details.html")));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>\r\n")) << html.left(40).toStdString();
    for (const char *part :
         {"<meta charset=\"utf-8\">", "<title>Gegenprobe example.com</title>",
          "Quelle: SEOkicks, Datum: 08.12.2026, abgebrochen nach 3 von 5",
          "<tr><th>Adresse</th><th>Status</th>", "border: 1px solid",
          "<tr class=\"nofollow\"><td>http://a.test/x</td>",
          "<td>Tom &amp; &quot;Jerry&quot; &lt;b&gt; M\u00fcller</td>",
          "<tr class=\"unchecked\"><td>http://a.test/alt</td>", "Legende", "</html>"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(part))) << part;
    EXPECT_EQ(html.count("<tr class="), 3);
}
