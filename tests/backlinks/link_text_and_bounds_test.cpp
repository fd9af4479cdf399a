// Which link decides and what it is called, where links nest or carry images, and which pages
// the bounds pass leaves alone.
#include "backlinks/link_classifier.h"
#include "backlinks/parse_bounds.h"

#include <gtest/gtest.h>

using namespace kf::backlinks;

namespace {

LinkFindings classify(const QByteArray &body) {
    PageReply reply;
    reply.address = QStringLiteral("http://blog.other.test/artikel/");
    reply.status = 200;
    reply.contentType = "text/html; charset=utf-8";
    reply.body = body;
    return classifyPage(reply, QStringLiteral("example.com"));
}

struct TextCase {
    const char *what;
    const char *body;
    const char *anchor;
};

const TextCase kTexts[] = {
    {"text and an image", "<a href=\"https://example.com/\">Zum <img alt=\"Bild\"> Shop</a>",
     "Zum Shop"},
    {"only an image", "<a href=\"https://example.com/\"><span><img alt=\" Das  Logo \"></span></a>",
     "Das Logo"},
    {"the first image names it, even without alt",
     "<a href=\"https://example.com/\"><img><img alt=\"zweites\"></a>", ""},
    {"an image inside a script element of SVG",
     "<a href=\"https://example.com/\"><svg><script><foreignObject><img alt=\"verborgen\">"
     "</foreignObject></script></svg></a>",
     "verborgen"},
    {"script and style text is no link text",
     "<a href=\"https://example.com/\">A<script>x()</script><style>p{}</style>B</a>", "AB"},
    {"an outer SVG link holds the inner one's text",
     "<svg><a href=\"https://example.com/\">au&szlig;en <a href=\"https://other.test/\">innen</a>"
     " danach</a></svg>",
     "außen innen danach"},
    {"an inner SVG link has its own text only",
     "<svg><a href=\"https://other.test/\">au&szlig;en <a href=\"https://example.com/\">innen</a>"
     " danach</a></svg>",
     "innen"},
    {"an image after a nested link names only the outer link",
     "<svg><a href=\"https://other.test/\"><a href=\"https://example.com/\"></a><image/></a></svg>"
     "<img alt=\"draussen\">",
     ""},
    {"a followed link after a nofollow one",
     "<a href=\"https://example.com/a\" rel=\"nofollow\">eins</a>"
     "<a href=\"https://example.com/b\">zwei <img alt=\"x\"></a>",
     "zwei"},
};

TEST(LinkText, NamesTheLinkThatDecides) {
    for (const TextCase &c : kTexts) {
        const LinkFindings found = classify(c.body);
        EXPECT_TRUE(found.hasLink) << c.what;
        EXPECT_EQ(found.anchor, QString::fromUtf8(c.anchor)) << c.what;
    }
}

// Pages that nest SVG or end tags of many attributes beyond the bounds are cut down, and the
// link at their end still counts; ordinary inline SVG is left alone.
TEST(LinkText, BoundsCoverForeignContentAndEndTags) {
    const QByteArray link = "<a href=\"https://example.com/\">x</a>";
    QByteArray attributes;
    for (int i = 0; i < 1000; ++i)
        attributes += " a" + QByteArray::number(i) + "=1";
    const QByteArray pathological[] = {
        QByteArray("<svg></x>").repeated(2000) + "</svg>",
        "<svg>" + QByteArray("<a></x>").repeated(2000) + "</svg>",
        "</p" + attributes + ">",
    };
    for (const QByteArray &page : pathological) {
        const QByteArray withLink = page + link;
        const auto bounded =
            boundedForParser(std::string_view(withLink.constData(), withLink.size()));
        ASSERT_TRUE(bounded) << page.left(40).toStdString();
        EXPECT_TRUE(QByteArray::fromStdString(*bounded).endsWith(link));
        EXPECT_TRUE(classify(withLink).hasLink) << page.left(40).toStdString();
    }
    // Cut off inside a tag of many attributes: the tag is cut down and stays cut off.
    const QByteArray cut = link + "<p" + attributes;
    const auto bounded = boundedForParser(std::string_view(cut.constData(), cut.size()));
    ASSERT_TRUE(bounded);
    EXPECT_LT(bounded->size(), std::size_t(cut.size()));
    EXPECT_EQ(bounded->back(), '1');
    EXPECT_TRUE(classify(cut).hasLink);

    const QByteArray ordinary[] = {
        QByteArray("<p><svg viewBox=\"0 0 8 8\"><g><path d=\"M0 0\"></path><path/></g></svg>"
                   "<a href=\"/x\">x</a></p>")
            .repeated(3000),
        QByteArray("<svg><a href=\"/x\"><text>x</text></a></svg>").repeated(3000),
        QByteArray("<div>").repeated(300) + QByteArray("<svg><g></x></g></svg>").repeated(3000),
    };
    for (const QByteArray &page : ordinary)
        EXPECT_FALSE(boundedForParser(std::string_view(page.constData(), page.size())))
            << page.left(40).toStdString();
}

} // namespace
