#include "tests/support/file_bytes.h"
#include "text/error.h"
#include "text/memo.h"
#include "text/text_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace tf = kf::textfile;

namespace {

using testing_files::readBytes;
using testing_files::writeBytes;

} // namespace

TEST(TextFileEncoding, Cp1252WhenEverythingFitsElseUtf8WithBom) {
    EXPECT_EQ(tf::encode(QStringLiteral("Grüße €")), QByteArray("Gr\xFC\xDF\x65 \x80"));
    EXPECT_EQ(tf::encode(QString(QChar(0x81))), QByteArray("\x81")); // unassigned, kept as is
    const QString polish = QStringLiteral("łódź");
    EXPECT_EQ(tf::encode(polish), QByteArray("\xEF\xBB\xBF") + polish.toUtf8());
    const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80");
    EXPECT_EQ(tf::encode(emoji), QByteArray("\xEF\xBB\xBF") + emoji.toUtf8());
    EXPECT_EQ(tf::encode(QString()), QByteArray());
}

// Windows-1252 bytes that read back as valid UTF-8 or as a byte-order mark would change what
// was typed: such texts go out as UTF-8 with a mark, and every text comes back as written.
TEST(TextFileEncoding, TextsWhoseCp1252BytesWouldReadOtherwiseGoOutAsUtf8) {
    const QString tricky[] = {
        QStringLiteral("Maß“"),       // DF 93: a valid two-byte UTF-8 sequence
        QStringLiteral("Ã¤"),         // C3 A4: the UTF-8 bytes of "ä"
        QStringLiteral("ÿþab"),       // FF FE: the UTF-16 mark
        QStringLiteral("þÿab"),       // FE FF
        QStringLiteral("ï»¿http://"), // EF BB BF: the UTF-8 mark
    };
    for (const QString &text : tricky) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(tf::encode(text), QByteArray("\xEF\xBB\xBF") + text.toUtf8());
        EXPECT_EQ(tf::decode(tf::encode(text)), text);
    }
    // Plain German text keeps its Windows-1252 bytes.
    EXPECT_EQ(tf::encode(QStringLiteral("„Maß“")), QByteArray("\x84Ma\xDF\x93"));

    QTemporaryDir dir;
    const QString file = dir.filePath("list.txt");
    tf::writeLines(file, {QStringLiteral("Maß“"), QStringLiteral("Ã¤")});
    EXPECT_EQ(tf::readLines(file), QStringList({QStringLiteral("Maß“"), QStringLiteral("Ã¤")}));
}

TEST(TextFileEncoding, ReadingChoosesTheEncoding) {
    const QString text = QStringLiteral("Größe €");
    EXPECT_EQ(tf::decode(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), text);
    EXPECT_EQ(tf::decode(text.toUtf8()), text);    // valid UTF-8 without a mark
    EXPECT_EQ(tf::decode(tf::encode(text)), text); // Windows-1252 bytes are not valid UTF-8

    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(tf::decode(le), text);
    EXPECT_EQ(tf::decode(be), text);

    // A UTF-8 sequence cut short at the end is not valid UTF-8.
    EXPECT_EQ(tf::decode(QByteArray("ab\xC3")), QStringLiteral("ab\u00C3"));
    EXPECT_EQ(tf::decode(QByteArray("\x80\x9F")), QStringLiteral("\u20AC\u0178"));
    EXPECT_EQ(tf::decode(QByteArray()), QString());
}

TEST(TextFileLines, EveryKindOfLineEndEndsALine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    writeBytes(path, "a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(tf::readLines(path), QStringList({"a", "b", "c", "d", "", "e"}));
    writeBytes(path, "a\r\n");
    EXPECT_EQ(tf::readLines(path), QStringList({"a"}));
    writeBytes(path, "");
    EXPECT_EQ(tf::readLines(path), QStringList());
    writeBytes(path, "x\n\n");
    EXPECT_EQ(tf::readText(path), QStringLiteral("x\r\n\r\n"));

    kf::Memo memo;
    tf::loadMemo(memo, path);
    EXPECT_EQ(memo.lineCount(), 2);
}

TEST(TextFileWrite, LinesEndWithCrLfAndTheFileIsReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    writeBytes(path, QByteArray(1000, 'z'));
    tf::writeLines(path, {QStringLiteral("eins"), QString(), QStringLiteral("drei")});
    EXPECT_EQ(readBytes(path), QByteArray("eins\r\n\r\ndrei\r\n"));

    kf::Memo memo;
    memo.setText(QStringLiteral("a\r\nb"));
    tf::saveMemo(memo, path);
    EXPECT_EQ(readBytes(path), QByteArray("a\r\nb\r\n"));
    memo.setText(QStringLiteral("a\r\n"));
    tf::saveMemo(memo, path);
    EXPECT_EQ(readBytes(path), QByteArray("a\r\n"));

    // Nothing but temporary-file names may be left beside the file: none at all after a save.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("list.txt")}));
}

TEST(TextFileErrors, TextsNameTheNativeFullPath) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nofolder/file.txt"));
    const QString native = QDir::toNativeSeparators(missing);
    try {
        tf::writeLines(missing, {QStringLiteral("x")});
        FAIL() << "writing into a missing folder succeeded";
    } catch (const kf::Error &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Datei \"") + native +
                                           QStringLiteral("\" kann nicht erstellt werden. ")))
            << e.message().toStdString();
        EXPECT_GT(e.message().size(),
                  QStringLiteral("Datei \"\" kann nicht erstellt werden. ").size() + native.size());
    }
    try {
        tf::readLines(missing);
        FAIL() << "reading a missing file succeeded";
    } catch (const kf::Error &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Datei ") + native +
                                           QStringLiteral(" kann nicht geöffnet werden. ")))
            << e.message().toStdString();
    }
    // A relative path is shown in full.
    EXPECT_EQ(tf::cannotOpenText(QStringLiteral("rel.txt"), QStringLiteral("why")),
              QStringLiteral("Datei ") +
                  QDir::toNativeSeparators(QDir::current().absoluteFilePath("rel.txt")) +
                  QStringLiteral(" kann nicht geöffnet werden. why"));
}

TEST(TextFileErrors, AFailedSaveLeavesTheOldFile) {
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.txt"));
    tf::writeLines(path, {QStringLiteral("old")});
    // A file size limit makes the write fail half-way, whatever rights the test runs with.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        tf::writeLines(path, QStringList(2000, QStringLiteral("new line")));
    } catch (const kf::Error &e) {
        threw = true;
        EXPECT_TRUE(e.message().contains(QStringLiteral("kann nicht erstellt werden")));
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(readBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("keep.txt")}));
#else
    GTEST_SKIP() << "needs a file size limit";
#endif
}

TEST(TextFileEncoding, ATextThatBeginsWithFeffKeepsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mark.txt"));
    const QString text = QString(QChar(0xFEFF)) + QStringLiteral("Größe");
    tf::writeLines(path, {text});
    EXPECT_EQ(tf::readLines(path), QStringList({text}));
    // The file's own mark alone is still dropped, for UTF-16 too.
    EXPECT_EQ(tf::decode("\xEF\xBB\xBF"
                         "a"),
              QStringLiteral("a"));
    EXPECT_EQ(tf::decode(QByteArray("\xFF\xFE\xFF\xFE\x61\x00", 6)),
              QString(QChar(0xFEFF)) + QStringLiteral("a"));
}

TEST(TextFileErrors, CommonReasonsReadInGerman) {
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("file"));
    tf::writeLines(notAFolder, {QStringLiteral("x")});
    try {
        tf::writeLines(notAFolder + QStringLiteral("/account.txt"), {QStringLiteral("x")});
        FAIL() << "writing below a file succeeded";
    } catch (const kf::Error &e) {
        EXPECT_TRUE(e.message().endsWith(QStringLiteral("kann nicht erstellt werden. Kein Ordner")))
            << e.message().toStdString();
    }
    try {
        tf::readLines(dir.filePath(QStringLiteral("missing.txt")));
        FAIL() << "reading a missing file succeeded";
    } catch (const kf::Error &e) {
        EXPECT_TRUE(e.message().endsWith(
            QStringLiteral("kann nicht geöffnet werden. Datei oder Ordner nicht gefunden")))
            << e.message().toStdString();
    }
    // A folder in the file's place: Qt's own words for it read in German too.
    for (const bool write : {false, true}) {
        try {
            if (write)
                tf::writeLines(dir.path(), {QStringLiteral("x")});
            else
                tf::readLines(dir.path());
            FAIL() << "a folder was read or written as a file";
        } catch (const kf::Error &e) {
            EXPECT_TRUE(e.message().endsWith(QStringLiteral(". Ist ein Ordner")))
                << e.message().toStdString();
        }
    }
}

TEST(TextFileErrors, OwnerOnlyFilesStaySoAcrossSaves) {
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("account.txt"));
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto mode = [&] {
        return QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser);
    };
    tf::writeRaw(path, QStringLiteral("key\r\n")); // an older file, readable by everyone
    tf::writeRaw(path, QStringLiteral("key\r\n"), tf::Access::OwnerOnly);
    EXPECT_EQ(mode(), ownerOnly);
    tf::writeRaw(path, QStringLiteral("key2\r\n"), tf::Access::OwnerOnly);
    EXPECT_EQ(mode(), ownerOnly);
#else
    GTEST_SKIP() << "POSIX file modes";
#endif
}

TEST(TextFileErrors, ANameNoFileSystemOfTheOperatorAcceptsIsRefusedAndNothingIsWritten) {
    QTemporaryDir dir;
    for (const QString &name : {QStringLiteral("a?b.txt"), QStringLiteral("a*b_list.txt"),
                                QStringLiteral("a:b.txt"), QStringLiteral("a|b.csv")}) {
        try {
            tf::writeLines(dir.filePath(name), {QStringLiteral("x")});
            ADD_FAILURE() << name.toStdString() << " was written";
        } catch (const kf::Error &e) {
            EXPECT_TRUE(e.message().endsWith(
                QStringLiteral("kann nicht erstellt werden. Dateiname nicht zulässig")));
        }
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
