// "Speichern" and the account load at start-up, through the real main window.
#include "tests/support/gui_helpers.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testing_gui;

namespace {

struct Settings {
    QString url, token, xovi, seokicks;
};

Settings shown(TForm1 *form) {
    return {control<QLineEdit>(form, "URL")->text(), control<QLineEdit>(form, "Token")->text(),
            control<QLineEdit>(form, "xovi_api_key")->text(),
            control<QLineEdit>(form, "seokicksapi")->text()};
}

void type(TForm1 *form, const char *name, const QString &text) {
    auto *edit = control<QLineEdit>(form, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

} // namespace

TEST(AccountSettings, SaveAndReloadKeepsEveryValueAsTyped) {
    DataFolder data;
    MessageCapture boxes;
    {
        Windows w = createWindows(data.root());
        TForm1 *form = w.form1.get();
        type(form, "URL", "http://stats.example/piwik/");
        control<QLineEdit>(form, "Token")->clear();
        type(form, "xovi_api_key", "  key with blanks ");
        type(form, "seokicksapi", "sk-123");
        QTest::mouseClick(control<QPushButton>(form, "Speichern"), Qt::LeftButton);

        EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
        EXPECT_EQ(data.read("accounts/account.txt"),
                  "http://stats.example/piwik/\r\n\r\n  key with blanks \r\nsk-123\r\n");
#ifdef Q_OS_UNIX
        // The keys are in clear: only the owner may read the file.
        EXPECT_EQ(QFile::permissions(data.path("accounts/account.txt")) &
                      ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
        QObject *speich = control(form, "speich");
        EXPECT_EQ(memoLineCount(speich), 4);
        EXPECT_EQ(memoLine(speich, 2), "  key with blanks ");
        EXPECT_TRUE(memoScrollBars(speich));
    }
    Windows again = createWindows(data.root());
    const Settings s = shown(again.form1.get());
    EXPECT_EQ(s.url, "http://stats.example/piwik/");
    EXPECT_EQ(s.token, "");
    EXPECT_EQ(s.xovi, "  key with blanks ");
    EXPECT_EQ(s.seokicks, "sk-123");
    // A long address shows its beginning.
    EXPECT_EQ(control<QLineEdit>(again.form1.get(), "URL")->cursorPosition(), 0);
    EXPECT_EQ(memoText(control(again.form1.get(), "speich")),
              "http://stats.example/piwik/\r\n\r\n  key with blanks \r\nsk-123\r\n");
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(AccountSettings, LoadTakesWhatTheFileHasByLineModel) {
    struct Case {
        const char *what;
        QByteArray file;
        Settings expected;
    };
    const Case cases[] = {
        {"two lines: the last two become empty",
         "http://a/\r\ntok\r\n",
         {"http://a/", "tok", "", ""}},
        {"LF line ends", "http://a/\nt\nx\ns\n", {"http://a/", "t", "x", "s"}},
        {"lone CR line ends", "http://a/\rt\rx\rs", {"http://a/", "t", "x", "s"}},
        {"six lines: the first four", "u\r\nt\r\nx\r\ns\r\nfive\r\nsix\r\n", {"u", "t", "x", "s"}},
        {"empty file", "", {"", "", "", ""}},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBFhttp://gr\xC3\xB6\xC3\x9F"
         "e/\r\n",
         {"http://größe/", "", "", ""}},
        {"Windows-1252",
         "http://gr\xF6\xDF"
         "e/\r\n",
         {"http://größe/", "", "", ""}},
    };
    MessageCapture boxes;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DataFolder data;
        data.write("accounts/account.txt", c.file);
        Windows w = createWindows(data.root());
        const Settings s = shown(w.form1.get());
        EXPECT_EQ(s.url, c.expected.url);
        EXPECT_EQ(s.token, c.expected.token);
        EXPECT_EQ(s.xovi, c.expected.xovi);
        EXPECT_EQ(s.seokicks, c.expected.seokicks);
        EXPECT_EQ(w.form1->windowTitle(), "Kelvaro Fennwick v.0.4b");
    }
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();
}

TEST(AccountSettings, SixLineFileIsWrittenBackAsFourLines) {
    DataFolder data;
    data.write("accounts/account.txt", "u\r\nt\r\nx\r\ns\r\nfive\r\nsix\r\n");
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    QTest::mouseClick(control<QPushButton>(w.form1.get(), "Speichern"), Qt::LeftButton);
    EXPECT_EQ(data.read("accounts/account.txt"), "u\r\nt\r\nx\r\ns\r\n");
}

TEST(AccountSettings, SaveWithoutAccountsFolderShowsTheCannotCreateBox) {
    DataFolder data;
    MessageCapture boxes;
    Windows w = createWindows(data.root());
    TForm1 *form = w.form1.get();
    ASSERT_TRUE(QDir(data.path("accounts")).removeRecursively());
    type(form, "URL", "http://kept/");
    boxes.clear();

    QTest::mouseClick(control<QPushButton>(form, "Speichern"), Qt::LeftButton);

    ASSERT_EQ(boxes.texts().size(), 1);
    const QString full = QDir::toNativeSeparators(data.path("accounts/account.txt"));
    EXPECT_EQ(boxes.texts()[0],
              "Datei \"" + full +
                  "\" kann nicht erstellt werden. Datei oder Ordner nicht gefunden");
    EXPECT_FALSE(data.exists("accounts"));
    EXPECT_EQ(control<QLineEdit>(form, "URL")->text(), "http://kept/");
    EXPECT_EQ(memoLine(control(form, "speich"), 0), "http://kept/");
    // The window goes on working: once the folder is back, the same button saves.
    data.makeFolder("accounts");
    QTest::mouseClick(control<QPushButton>(form, "Speichern"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(data.read("accounts/account.txt").startsWith("http://kept/\r\n"));
}

TEST(AccountSettings, TokenAndKeysShowAsDotsUntilTheirEyeIsPressed) {
    DataFolder data;
    Windows w = createWindows(data.root());
    for (const char *name : {"Token", "xovi_api_key", "seokicksapi"}) {
        SCOPED_TRACE(name);
        auto *field = control<QLineEdit>(w.form1.get(), name);
        type(w.form1.get(), name, "geheim-1");
        EXPECT_EQ(field->echoMode(), QLineEdit::Password);
        auto *eye = control<QAction>(field, (std::string(name) + "Anzeigen").c_str());
        eye->trigger();
        EXPECT_EQ(field->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(eye->toolTip(), "Schlüssel verbergen");
        eye->trigger();
        EXPECT_EQ(field->echoMode(), QLineEdit::Password);
        EXPECT_EQ(field->text(), "geheim-1"); // what is saved stays as typed
    }
    EXPECT_EQ(control<QLineEdit>(w.form1.get(), "URL")->echoMode(), QLineEdit::Normal);
}
