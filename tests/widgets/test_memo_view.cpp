#include "widgets/memo_view.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

struct ShownMemo {
    MemoView view{QStringLiteral("speich")};
    ShownMemo() {
        view.resize(300, 200);
        view.show();
        QApplication::processEvents();
    }
};

TEST(MemoView, ManyAppendsRepaintOncePerEventLoopTurn) {
    ShownMemo m;
    QSignalSpy viewChanges(&m.view, &QPlainTextEdit::textChanged);
    for (int i = 0; i < 500; ++i)
        m.view.memo().addLine(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(viewChanges.count(), 0) << "the view must not follow every appended line";
    QApplication::processEvents();
    EXPECT_LE(viewChanges.count(), 2);
    EXPECT_EQ(m.view.document()->blockCount(), 501); // 500 lines and the empty block after the last
    EXPECT_EQ(m.view.document()->findBlockByNumber(499).text(), QStringLiteral("line 499"));
}

TEST(MemoView, ShowsOnlyCrLfAsLineBreaks) {
    ShownMemo m;
    m.view.setText(QStringLiteral("a\nb\r\nc\rd"));
    QApplication::processEvents();
    EXPECT_EQ(m.view.toPlainText(), QStringLiteral("a b\nc d"));
    EXPECT_EQ(m.view.lineCount(), 2);
    EXPECT_EQ(m.view.line(0), QStringLiteral("a\nb")) << "the model keeps the lone LF";
}

TEST(MemoView, HiddenMemoCatchesUpWhenShown) {
    MemoView view(QStringLiteral("ueberblick"));
    view.addLine(QStringLiteral("first"));
    view.addLine(QStringLiteral("second"));
    QApplication::processEvents();
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("first\nsecond\n"));
}

TEST(MemoView, OperatorEditsBecomeCrLfLines) {
    ShownMemo m;
    m.view.setFocus();
    QTest::keyClicks(&m.view, QStringLiteral("abc"));
    QTest::keyClick(&m.view, Qt::Key_Return);
    QTest::keyClicks(&m.view, QStringLiteral("def"));
    EXPECT_EQ(m.view.text(), QStringLiteral("abc\r\ndef"));
    EXPECT_EQ(m.view.lineCount(), 2);
    EXPECT_EQ(m.view.line(1), QStringLiteral("def"));
}

TEST(MemoView, ScrollBarsSwitchOffWrapping) {
    ShownMemo m;
    EXPECT_FALSE(m.view.scrollBars());
    EXPECT_EQ(m.view.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    m.view.memo().prepare();
    QApplication::processEvents();
    EXPECT_TRUE(m.view.scrollBars());
    EXPECT_EQ(m.view.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(m.view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(m.view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(MemoView, HugeTextsShowTheirBeginningReadOnlyAndKeepEverything) {
    ShownMemo m;
    QString text;
    const int lines = MemoView::kMaxShownLines + 5;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("l%1\r\n").arg(i);
    m.view.setText(text);
    QApplication::processEvents();
    EXPECT_EQ(m.view.document()->blockCount(), MemoView::kMaxShownLines + 1);
    EXPECT_EQ(m.view.document()->lastBlock().text(),
              QStringLiteral("[… 5 weitere Zeilen hier nicht angezeigt]"));
    EXPECT_TRUE(m.view.isReadOnly()) << "edits of a partial view would lose the hidden lines";
    EXPECT_EQ(m.view.lineCount(), lines);
    EXPECT_EQ(m.view.text(), text);

    m.view.setText(QString(MemoView::kMaxShownLineLength + 10, u'x'));
    QApplication::processEvents();
    EXPECT_EQ(m.view.toPlainText(), QString(MemoView::kMaxShownLineLength, u'x') + QChar(0x2026));
    EXPECT_TRUE(m.view.isReadOnly());

    m.view.setText(QStringLiteral("small\r\n"));
    QApplication::processEvents();
    EXPECT_FALSE(m.view.isReadOnly());
    EXPECT_EQ(m.view.toPlainText(), QStringLiteral("small\n"));
}

TEST(MemoView, InvokableInterfaceWorksWithoutTheClass) {
    MemoView view(QStringLiteral("Memo1"));
    QObject *object = &view;
    QMetaObject::invokeMethod(object, "addLine", Q_ARG(QString, QStringLiteral("x")));
    int count = -1;
    QMetaObject::invokeMethod(object, "lineCount", Q_RETURN_ARG(int, count));
    EXPECT_EQ(count, 1);
    QString text;
    QMetaObject::invokeMethod(object, "text", Q_RETURN_ARG(QString, text));
    EXPECT_EQ(text, QStringLiteral("x\r\n"));
}

} // namespace
