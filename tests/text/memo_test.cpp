#include "text/memo.h"
#include "text/tag_per_line.h"

#include <gtest/gtest.h>

using kf::Memo;

namespace {

Memo memoWith(const QString &text) {
    Memo memo;
    memo.setText(text);
    return memo;
}

} // namespace

TEST(MemoLines, OnlyCrLfEndsALine) {
    const Memo memo = memoWith(QStringLiteral("a\nb\rc\r\nd"));
    ASSERT_EQ(memo.lineCount(), 2);
    EXPECT_EQ(memo.line(0), QStringLiteral("a\nb\rc"));
    EXPECT_EQ(memo.line(1), QStringLiteral("d"));
    // CR CR LF: the first CR is an ordinary character.
    const Memo crcr = memoWith(QStringLiteral("x\r\r\ny"));
    ASSERT_EQ(crcr.lineCount(), 2);
    EXPECT_EQ(crcr.line(0), QStringLiteral("x\r"));
}

TEST(MemoLines, CountRule) {
    EXPECT_EQ(memoWith(QString()).lineCount(), 0);
    EXPECT_EQ(memoWith(QStringLiteral("a")).lineCount(), 1);
    EXPECT_EQ(memoWith(QStringLiteral("a\r\n")).lineCount(), 1);
    EXPECT_EQ(memoWith(QStringLiteral("a\r\n\r\n")).lineCount(), 2);
    EXPECT_EQ(memoWith(QStringLiteral("\r\n")).lineCount(), 1);
    EXPECT_EQ(memoWith(QStringLiteral("\r\na")).lineCount(), 2);
    EXPECT_EQ(memoWith(QStringLiteral("\n")).lineCount(), 1);
}

TEST(MemoLines, ReadingBeyondTheEndAndLongLines) {
    QString text;
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("line%1\r\n").arg(i);
    const Memo memo = memoWith(text);
    EXPECT_EQ(memo.line(9), QStringLiteral("line9"));
    EXPECT_EQ(memo.line(10), QString());
    EXPECT_EQ(memo.line(1000), QString());
    EXPECT_EQ(memo.line(-1), QString());

    const QString longValue(5000, u'v');
    const Memo longMemo =
        memoWith(QStringLiteral("<a>\r\n") + longValue + QStringLiteral("\r\n</a>"));
    EXPECT_EQ(longMemo.line(1).size(), Memo::kMaxLineRead);
    EXPECT_EQ(longMemo.fullLine(1), longValue);
    EXPECT_EQ(longMemo.line(2), QStringLiteral("</a>"));
    EXPECT_EQ(longMemo.lines().at(1), longValue);
}

TEST(MemoLines, FreshMemoAcceptsLines) {
    Memo memo;
    EXPECT_EQ(memo.lineCount(), 0);
    EXPECT_EQ(memo.line(0), QString());
    memo.addLine(QStringLiteral("first"));
    EXPECT_EQ(memo.lineCount(), 1);
    EXPECT_EQ(memo.line(0), QStringLiteral("first"));

    Memo prepared;
    prepared.prepare();
    EXPECT_TRUE(prepared.scrollBars());
    prepared.addLine(QStringLiteral("x"));
    EXPECT_EQ(prepared.lineCount(), 1);
}

TEST(MemoLines, AddLineKeepsTheIndexRight) {
    Memo memo = memoWith(QStringLiteral("a\r\nb")); // no CR LF at the end
    memo.addLine(QStringLiteral("c"));
    EXPECT_EQ(memo.text(), QStringLiteral("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(memo.lineCount(), 3);
    EXPECT_EQ(memo.line(2), QStringLiteral("c"));

    memo.addLine(QString()); // an empty line counts
    EXPECT_EQ(memo.lineCount(), 4);
    memo.addLine(QStringLiteral("d\r\ne")); // a CR LF inside makes two lines
    EXPECT_EQ(memo.lineCount(), 6);
    EXPECT_EQ(memo.line(4), QStringLiteral("d"));
    EXPECT_EQ(memo.line(5), QStringLiteral("e"));

    // A text ending in a lone CR: the CR stays part of its line.
    Memo cr = memoWith(QStringLiteral("x\r"));
    cr.addLine(QStringLiteral("y"));
    EXPECT_EQ(cr.lineCount(), 2);
    EXPECT_EQ(cr.line(0), QStringLiteral("x\r"));
    EXPECT_EQ(cr.line(1), QStringLiteral("y"));

    // The appended index agrees with one built from scratch.
    const Memo rebuilt = memoWith(memo.text());
    ASSERT_EQ(rebuilt.lineCount(), memo.lineCount());
    for (int i = 0; i < memo.lineCount(); ++i)
        EXPECT_EQ(rebuilt.line(i), memo.line(i)) << i;
}

TEST(MemoLines, DeleteLine) {
    Memo memo = memoWith(QStringLiteral("a\r\nb\r\nc"));
    memo.deleteLine(1);
    EXPECT_EQ(memo.text(), QStringLiteral("a\r\nc"));
    memo.deleteLine(1); // the last line, without CR LF
    EXPECT_EQ(memo.text(), QStringLiteral("a\r\n"));
    EXPECT_EQ(memo.lineCount(), 1);
    memo.deleteLine(5); // beyond the end: nothing happens
    memo.deleteLine(-1);
    EXPECT_EQ(memo.text(), QStringLiteral("a\r\n"));
    memo.deleteLine(0);
    EXPECT_EQ(memo.lineCount(), 0);
}

TEST(MemoLines, ReplaceAllFromAnOffset) {
    Memo memo = memoWith(QStringLiteral("xAx\r\nxax"));
    memo.replaceAll(QStringLiteral("a"), QStringLiteral("\r\n"), Qt::CaseInsensitive, 2);
    // The "A" at offset 1 lies before the offset and stays.
    EXPECT_EQ(memo.text(), QStringLiteral("xAx\r\nx\r\nx"));
    EXPECT_EQ(memo.lineCount(), 3);
    memo.replaceAll(QStringLiteral("A"), QStringLiteral("b"), Qt::CaseSensitive);
    EXPECT_EQ(memo.line(0), QStringLiteral("xbx"));
    const QString before = memo.text();
    memo.replaceAll(QStringLiteral("x"), QStringLiteral("y"), Qt::CaseSensitive, 1000);
    memo.replaceAll(QString(), QStringLiteral("y"), Qt::CaseSensitive);
    EXPECT_EQ(memo.text(), before);

    // With the line index in use, a replacement that makes or breaks a CR LF pair right at the
    // match (a lone CR before it, an LF as its first character) reads like the same text set anew.
    struct Case {
        const char *text, *from, *to;
    };
    for (const Case &c : {Case{"ab\r\ncd\rX\r\nef", "X", "\nY"},
                          Case{"ab\r\ncd\r\nef", "\nef", "Z"}, Case{"a\r\nb\r", "b", "\r\n"}}) {
        Memo indexed;
        indexed.addLine(QString::fromLatin1(c.text));
        ASSERT_GT(indexed.lineCount(), 0);
        indexed.replaceAll(QString::fromLatin1(c.from), QString::fromLatin1(c.to),
                           Qt::CaseSensitive, 3);
        indexed.addLine(QStringLiteral("tail"));
        const Memo fresh = memoWith(indexed.text());
        EXPECT_EQ(indexed.lines(), fresh.lines()) << c.text;
        EXPECT_EQ(indexed.lineCount(), fresh.lineCount()) << c.text;
    }
}

TEST(MemoLines, RewriteSerialCountsEverythingButAppends) {
    Memo memo;
    int notices = 0;
    memo.setChangeListener([&notices] { ++notices; });
    const auto start = memo.rewriteSerial();
    memo.addLine(QStringLiteral("a"));
    memo.addLine(QStringLiteral("b"));
    EXPECT_EQ(memo.rewriteSerial(), start);
    memo.replaceAll(QStringLiteral("b"), QStringLiteral("c"), Qt::CaseSensitive);
    EXPECT_EQ(memo.rewriteSerial(), start + 1);
    memo.replaceAll(QStringLiteral("zzz"), QStringLiteral("c"), Qt::CaseSensitive); // no match
    EXPECT_EQ(memo.rewriteSerial(), start + 1);
    memo.deleteLine(0);
    memo.setText(QStringLiteral("t"));
    memo.clear();
    EXPECT_EQ(memo.rewriteSerial(), start + 4);
    EXPECT_EQ(notices, 6);
}

TEST(TagPerLine, TwoElementsGiveEightLines) {
    Memo memo = memoWith(QStringLiteral("<a>x</a><b>y</b>"));
    kf::toTagPerLine(memo);
    const QStringList expected = {QString(), "<a>", "x", "</a>", QString(), "<b>", "y", "</b>"};
    ASSERT_EQ(memo.lineCount(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(memo.line(i), expected[i]) << i;
    EXPECT_EQ(memo.line(1 + 5), QStringLiteral("y"));
}

TEST(TagPerLine, GapsOfWhitespace) {
    // An LF and a tab between the elements: the same distances, the gap line holds them.
    Memo lf = memoWith(kf::tagPerLine(QStringLiteral("<a>x</a>\n\t<b>y</b>")));
    ASSERT_EQ(lf.lineCount(), 8);
    EXPECT_EQ(lf.line(4), QStringLiteral("\n\t"));
    EXPECT_EQ(lf.line(6), QStringLiteral("y"));

    // CR LF between the elements puts two lines into the gap and shifts the distance.
    Memo crlf = memoWith(kf::tagPerLine(QStringLiteral("<a>x</a>\r\n<b>y</b>")));
    EXPECT_EQ(crlf.lineCount(), 9);
    EXPECT_EQ(crlf.line(6), QStringLiteral("<b>"));
    EXPECT_EQ(crlf.line(7), QStringLiteral("y"));

    // Empty element: opening tag, an empty line, closing tag.
    Memo empty = memoWith(kf::tagPerLine(QStringLiteral("<a></a>")));
    ASSERT_EQ(empty.lineCount(), 4);
    EXPECT_EQ(empty.line(1), QStringLiteral("<a>"));
    EXPECT_EQ(empty.line(2), QString());
    EXPECT_EQ(empty.line(3), QStringLiteral("</a>"));
}

TEST(TagPerLine, WalkMatchesWholeLinesOnly) {
    const QString reply =
        QStringLiteral("<row><idsite >1</idsite ><IdSite>2</IdSite><idsite>3</idsite>"
                       "<name>n</name><main_url>u</main_url></row>");
    Memo memo = memoWith(reply);
    kf::toTagPerLine(memo);
    QStringList ids, urls;
    const int count = memo.lineCount();
    for (int i = 0; i < count; ++i) {
        if (memo.line(i) == QStringLiteral("<idsite>")) {
            ids << memo.line(i + 1);
            urls << memo.line(i + 9);
        }
    }
    // Only the line that is exactly "<idsite>" matches; the main URL is two elements later.
    EXPECT_EQ(ids, QStringList({QStringLiteral("3")}));
    EXPECT_EQ(urls, QStringList({QStringLiteral("u")}));

    const Memo blank = memoWith(QStringLiteral("<idsite> \r\n<IdSite>\r\n"));
    EXPECT_NE(blank.line(0), QStringLiteral("<idsite>"));
    EXPECT_NE(blank.line(1), QStringLiteral("<idsite>"));
}

TEST(TagPerLine, SitemapVariant) {
    const QString out =
        kf::locPerLine(QStringLiteral("<url><loc>http://a/</loc></url><LOC>b</LOC>"));
    Memo memo = memoWith(out);
    ASSERT_EQ(memo.lineCount(), 5);
    EXPECT_EQ(memo.line(1), QStringLiteral("http://a/"));
    EXPECT_EQ(memo.line(3), QStringLiteral("b"));
}
