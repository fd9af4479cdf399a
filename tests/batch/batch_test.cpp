// kelvaro-batch as cron runs it: a process without a display, against the demo's stand-ins or
// the tests' own, judged by its exit status, its files and its summary.

#include "sandbox/demo_data.h"
#include "sandbox/demo_sitemap.h"
#include "sandbox/web_pages.h"
#include "tests/support/gui_helpers.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSysInfo>
#include <QThread>

#include <csignal>

namespace {

using testing_gui::DataFolder;

const QString kDomain = QString::fromStdString(sandbox::demo::kMainDomain);

// One kelvaro-batch process: no display, no platform plugin named.
struct Batch {
    QProcess process;
    explicit Batch(const QStringList &arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KELVARO_DATA_DIR"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KELVARO_BATCH), arguments);
        EXPECT_TRUE(process.waitForStarted());
    }
    int finish(int ms = 120000) {
        EXPECT_TRUE(process.waitForFinished(ms)) << arguments().toStdString();
        out = QString::fromLocal8Bit(process.readAllStandardOutput());
        err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QJsonObject summary() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
    QString arguments() const { return process.arguments().join(u' '); }
    QString out, err;
};

QStringList writtenFiles(const QJsonObject &summary) {
    QStringList files;
    for (const auto &file : summary.value(QStringLiteral("files")).toArray())
        files << QFileInfo(file.toString()).fileName();
    return files;
}

struct JobCase {
    const char *name;
    QStringList arguments;
    int rows;
    QStringList fileEndings; // each must end one written file's name
};

TEST(Batch, EveryJobAgainstTheDemoWritesItsFilesAndSummary) {
    const QString year = QString::number(QDate::currentDate().year() - 1);
    const JobCase cases[] = {
        {"sites", {"sites"}, 4, {"sites.csv"}},
        {"report",
         {"report", "--kind", "keywords", "--period", "woche", "--date", "2026-11-30",
          "--all-sites", "--pause", "0"},
         -1,
         {"keywords_woche_2026-11-30.txt", "keywords_woche_2026-11-30.csv",
          "keywords_woche_2026-11-30.html", "sites.csv"}},
        {"keywords",
         {"keywords", "--project", "Demo", "--list", "neu"},
         -1,
         {"_new.csv", "_new.html", "tmp.txt"}},
        {"seo-data", {"seo-data", "--project", "Demo", "--pause", "0"}, 3, {".csv", ".html"}},
        {"trends",
         {"trends", "--domain", kDomain, "--year", year, "--keyword", "gärtnerei"},
         1,
         {".csv", ".html"}},
        {"backlinks",
         {"backlinks", "--source", "seokicks", "--domain", kDomain},
         -1,
         {"_list.txt", ".csv", ".html"}},
    };
    for (const JobCase &c : cases) {
        DataFolder data;
        Batch batch(c.arguments + QStringList{"--demo", "--data-dir", data.root(), "--json"});
        EXPECT_EQ(batch.finish(), 0) << c.name << batch.err.toStdString();
        const QJsonObject summary = batch.summary();
        EXPECT_EQ(summary.value("job").toString(), c.arguments.first()) << c.name;
        EXPECT_EQ(summary.value("status").toString(), "ok") << c.name;
        EXPECT_TRUE(summary.value("failures").toArray().isEmpty()) << c.name;
        if (c.rows >= 0)
            EXPECT_EQ(summary.value("rows").toInt(), c.rows) << c.name;
        else
            EXPECT_GT(summary.value("rows").toInt(), 0) << c.name;
        const QStringList files = writtenFiles(summary);
        for (const QString &ending : c.fileEndings)
            EXPECT_TRUE(std::any_of(files.begin(), files.end(),
                                    [&](const QString &f) { return f.endsWith(ending); }))
                << c.name << " wrote no *" << ending.toStdString() << " among "
                << files.join(", ").toStdString();
        for (const auto &file : summary.value("files").toArray())
            EXPECT_TRUE(QFileInfo::exists(file.toString())) << file.toString().toStdString();
    }
}

TEST(Batch, TheSitemapJobCollectsItsPagesIntoAFile) {
    sandbox::LoopbackService web;
    web.handle(sandbox::demo::sitemapHandler());
    DataFolder data;
    const QString url = QString::fromStdString(web.base() + sandbox::demo::kSitemapPath);
    Batch batch({"sitemap", "--url", url, "--data-dir", data.root(), "--json"});
    EXPECT_EQ(batch.finish(), 0) << batch.err.toStdString();
    const QStringList files = writtenFiles(batch.summary());
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.first().startsWith("127.0.0.1_")) << files.first().toStdString();
    const QByteArray list = data.read("reporting/sitemap/" + files.first());
    EXPECT_EQ(list.count("\r\n"), batch.summary().value("rows").toInt());
    // The demo's sitemap lists the nursery's pages.
    EXPECT_TRUE(list.startsWith(QByteArray::fromStdString(sandbox::demo::kMainUrl) + "/\r\n"))
        << list.toStdString();
}

TEST(Batch, BadArgumentsSayWhichAndWriteNothing) {
    const std::pair<QStringList, const char *> cases[] = {
        {{}, "Kein Auftrag"},
        {{"wetter"}, "wetter"},
        {{"report", "--all-sites"}, "--kind"},
        {{"report", "--kind", "ueberblick", "--period", "jahr", "--all-sites"}, "jahr"},
        {{"report", "--kind", "live", "--date", "30.11.2026", "--all-sites"}, "30.11.2026"},
        {{"report", "--kind", "live"}, "--all-sites"},
        {{"keywords", "--project", "Demo", "--list", "alles"}, "alles"},
        {{"backlinks", "--source", "google", "--domain", "a.example"}, "google"},
        {{"counter-check", "--domain", "a.example"}, "--list"},
        {{"trends", "--domain", "a.example", "--year", "x"}, "--year"},
        {{"sites", "--domain", "a.example"}, "--domain"},
        {{"backlinks", "--source", "xovi", "--domain", "a", "--pause", "5"}, "--pause"},
        {{"keywords", "--project", "Fehlt", "--list", "alle"}, "Fehlt"},
        {{"counter-check", "--list", "fehlt.txt", "--domain", "a"}, "fehlt.txt"},
    };
    for (const auto &[arguments, named] : cases) {
        DataFolder data;
        Batch batch(arguments + QStringList{"--data-dir", data.root()});
        EXPECT_EQ(batch.finish(), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(batch.err.contains(QString::fromUtf8(named)))
            << arguments.join(' ').toStdString() << ": " << batch.err.toStdString();
        EXPECT_TRUE(QDir(data.root()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty())
            << arguments.join(' ').toStdString();
    }
    Batch help({"--help"});
    EXPECT_EQ(help.finish(), 0);
    EXPECT_TRUE(help.out.contains("counter-check"));
    Batch version({"--version"});
    EXPECT_EQ(version.finish(), 0);
    EXPECT_TRUE(version.out.startsWith("kelvaro-batch "));
}

TEST(Batch, AnUnreachableServerFailsWithItsMessage) {
    DataFolder data;
    data.write("accounts/account.txt", "http://127.0.0.1:1/\r\ntoken\r\nkey\r\nkey\r\n");
    Batch batch({"sites", "--data-dir", data.root()});
    EXPECT_EQ(batch.finish(), 1);
    EXPECT_TRUE(batch.out.contains("Fehler: ")) << batch.out.toStdString();
    EXPECT_FALSE(data.exists("accounts/ids/sites.csv"));
}

// A data folder with a list of linking pages on the tests' own small web.
struct CounterCheckFolder {
    DataFolder data;
    sandbox::LoopbackService web;
    explicit CounterCheckFolder(int pages) {
        std::vector<sandbox::LinkingPage> linking;
        QByteArray list = "Link-URL\r\n\r\n";
        for (int i = 0; i < pages; ++i) {
            const std::string path = "/seite-" + std::to_string(i) + ".html";
            linking.push_back({path, sandbox::LinkingPage::Kind::Mentions, "www.garten.example"});
            list += QByteArray::fromStdString(web.base() + path) + "\r\n";
        }
        web.handle(sandbox::webPages(linking));
        data.write("liste.txt", list);
    }
    QStringList arguments(int pauseMs) const {
        return {"counter-check",      "--list",  data.path("liste.txt"),   "--domain",
                "www.garten.example", "--pause", QString::number(pauseMs), "--data-dir",
                data.root(),          "--json"};
    }
};

TEST(Batch, SigintEndsTheCounterCheckBeforeItsNextPageAndWritesWhatWasDone) {
    CounterCheckFolder folder(6);
    Batch batch(folder.arguments(700));
    // The header line, the empty line and the first page are judged, then the signal comes.
    QThread::msleep(2600);
    ::kill(pid_t(batch.process.processId()), SIGINT);
    EXPECT_EQ(batch.finish(), 3) << batch.err.toStdString();
    const QJsonObject summary = batch.summary();
    EXPECT_EQ(summary.value("status").toString(), "stopped");
    const int rows = summary.value("rows").toInt();
    EXPECT_GE(rows, 2);
    EXPECT_LT(rows, 8);
    const QStringList files = writtenFiles(summary);
    EXPECT_TRUE(std::any_of(files.cbegin(), files.cend(), [](const QString &f) {
        return f.contains("_details");
    })) << files.join(", ").toStdString();
}

TEST(Batch, TheSameJobRunsOnceAtATimeOnAFolderAndTakesOverAStaleLock) {
    CounterCheckFolder folder(3);
    Batch first(folder.arguments(400));
    QThread::msleep(600);
    Batch second(folder.arguments(0));
    EXPECT_EQ(second.finish(), 1);
    EXPECT_TRUE(second.err.contains("läuft bereits")) << second.err.toStdString();
    EXPECT_EQ(first.finish(), 0) << first.err.toStdString();

    // A lock left behind by a process that has ended is taken over.
    folder.data.write("kelvaro-batch-counter-check.lock",
                      "999999\nkelvaro-batch\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    Batch third(folder.arguments(0));
    EXPECT_EQ(third.finish(), 0) << third.err.toStdString();
}

} // namespace
