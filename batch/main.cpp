// kelvaro-batch: the program's runs without a window, for cron and timers.

#include "batch/jobs.h"
#include "batch/options.h"
#include "batch/progress.h"
#include "batch/stop_signals.h"
#include "batch/summary.h"
#include "core/account_file.h"
#include "core/data_folder.h"
#include "core/dialogs.h"
#include "core/run_lock.h"
#include "core/session.h"
#include "sandbox/demo_setup.h"
#include "text/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

enum ExitStatus { kDone = 0, kFailed = 1, kBadArguments = 2, kStopped = 3 };

void printTo(FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int fail(const QString &text, int status) {
    printTo(stderr, QStringLiteral("kelvaro-batch: ") + text + u'\n');
    return status;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvaro-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVARO_VERSION));
    // Qt's own texts of the help ("Aufruf:", "Optionen:") in German, like the window's buttons;
    // loaded only for the help, so that every other start stays quick.
    QTranslator qtTranslations;
    const QStringList helpAsked = {QStringLiteral("-h"), QStringLiteral("--help"),
                                   QStringLiteral("-?"), QStringLiteral("--help-all")};
    if (std::any_of(helpAsked.cbegin(), helpAsked.cend(),
                    [&app](const QString &h) { return app.arguments().contains(h); }) &&
        qtTranslations.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslations);

    const kf::batch::Parsed parsed = kf::batch::parseArguments(app.arguments());
    if (!parsed.output.isEmpty()) {
        printTo(stdout, parsed.output);
        return kDone;
    }
    if (!parsed.options)
        return fail(parsed.error, kBadArguments);
    const kf::batch::Options &options = *parsed.options;

    // --demo: the stand-ins and the demo's sample data in a fresh folder, as the window's demo.
    std::unique_ptr<kf::demo::DemoSetup> demo;
    QString appFolder;
    if (options.demo) {
        QString refusal;
        demo = kf::demo::DemoSetup::start(app.arguments(), &refusal);
        if (!demo)
            return fail(refusal, kFailed);
        demo->keepFolder(); // the files written are the run's result
        appFolder = demo->appFolder();
    } else {
        appFolder = kf::chooseAppFolder(app.arguments());
    }

    kf::OwnedModels models;
    kf::batch::Progress progress;
    kf::Session session;
    session.AppFolder = kf::withTrailingSeparator(appFolder);
    session.models = models.models();
    session.captionDisplay = &progress;
    session.runs.setDisplay(&progress);
    // A box the window would show is a failure of the run here.
    dialogs::setMessageSink([&session](const QString &text) { session.failures.append(text); });
    kf::batch::StopSignals stop([&session] { session.runs.cancel(); });

    kf::RunLock lock(session.AppFolder, options.job);
    QString lockedOut;
    if (!lock.acquire(&lockedOut))
        return fail(lockedOut, kFailed);

    kf::batch::Summary summary;
    summary.job = options.job;
    summary.dataFolder = session.AppFolder;
    const kf::batch::FolderSnapshot before(session.AppFolder);
    try {
        const kf::AccountSettings account = kf::readAccountSettings(session);
        summary.rows =
            kf::batch::runJob(options, session, account, [&stop] { return stop.requested(); }).rows;
    } catch (const kf::batch::BadArguments &bad) {
        progress.finish();
        return fail(bad.text, kBadArguments);
    } catch (const std::exception &e) {
        session.failures.append(kf::errorText(e));
    }
    progress.finish();
    // An analytics server's error reply fails the run, as its message says.
    for (const QString &line : progress.endLines())
        if (line.startsWith(QLatin1String("Analytics-Server: ")))
            session.failures.append(line);
    if (!session.analyticsServerMessage.isEmpty())
        session.failures.append(QStringLiteral("Analytics-Server: ") +
                                session.analyticsServerMessage);
    summary.files = before.writtenSince();
    summary.failures = session.failures;
    summary.exitCode = stop.requested() ? kStopped : summary.failures.isEmpty() ? kDone : kFailed;
    printTo(stdout,
            options.json ? kf::batch::summaryJson(summary) : kf::batch::summaryText(summary));
    // With --json the output is the summary alone; the failures are said on stderr too.
    if (options.json)
        for (const QString &failure : summary.failures)
            printTo(stderr, QStringLiteral("kelvaro-batch: ") + failure + u'\n');
    return summary.exitCode;
}
