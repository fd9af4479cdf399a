// The details report of the counter-check: one row per list line, CSV and HTML table forms.
#include "backlinks/link_details.h"
#include "tests/support/file_bytes.h"
#include "tests/support/gui_helpers.h"

using namespace kf::backlinks;

TEST(LinkDetails, OneRowPerListLineInBothForms) {
    testing_gui::DataFolder folder;
    LinkDetails details;
    PageReply failed;
    failed.address = "Link-URL";
    failed.failure = "Unknown Protocol";
    details.add(failed, classifyPage(failed, "example.com"));
    PageReply page;
    page.address = "http://a.test/x";
    page.status = 200;
    page.body =
        "<a rel=\"nofollow ugc\" href=\"https://example.com\">Tom &amp; \"Jerry\" &lt;b&gt;</a>";
    details.add(page, classifyPage(page, "example.com"));
    PageReply moved;
    moved.address = "http://a.test/alt";
    moved.status = 301;
    moved.location = "/neu";
    details.add(moved, classifyPage(moved, "example.com"));
    details.save(folder.path("example_20261208"));

    const QByteArray csv = testing_files::readBytes(folder.path("example_20261208_details.csv"));
    EXPECT_EQ(csv,
              QByteArray("Link-URL,\"Unknown Protocol\",,nein,,,nein,\"nicht erreichbar\"\r\n"
                         "http://a.test/x,200,,ja,\"nofollow ugc\",\"Tom & \"\"Jerry\"\" "
                         "<b>\",nein,\"Link nofollow\"\r\n"
                         "http://a.test/alt,301,http://a.test/neu,nein,,,nein,Weiterleitung\r\n"));
    const QByteArray html = testing_files::readBytes(folder.path("example_20261208_details.html"));
    EXPECT_TRUE(html.startsWith("  <table>\r\n  <tr>\r\n")) << html.left(40).toStdString();
    EXPECT_TRUE(html.contains("Tom &amp; &quot;Jerry&quot; &lt;b&gt;")) << html.toStdString();
    EXPECT_EQ(html.count("  <tr>"), 3);
}
