#include "batch/options.h"

#include "sandbox/demo_data.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <map>
#include <utility>

namespace kf::batch {

namespace {

using analytics::ReportKind;

const char kJobsText[] = R"(
Aufträge:
  sites                 die Seitentabelle des Analyseservers (wie "Hole Ids")
  report                ein Check über Seiten: --kind ueberblick|keywords|webseiten|seo|live|
                        einstieg --period tag|woche|monat --date JJJJ-MM-TT
                        (--site ID ... | --all-sites); Dateien unter reporting/analytics/
  keywords              Keywordlisten eines Projekts: --project P --list alle|neu|verloren
  seo-data              die SEO-Daten der Domains eines Projekts: --project P
  trends                Rankingverlauf: --domain D --year J [--keyword K ...]
  backlinks             Backlinkliste: --source xovi|seokicks --domain D [--max N]
  counter-check         Gegenprobe: (--list DATEI [--domain D] | --source xovi|seokicks
                        --domain D) [--pause MS]
  sitemap               die Adressen einer Sitemap: --url URL [--follow-index]

Rückgabewerte: 0 fertig, 1 fehlgeschlagen, 2 falsche Argumente, 3 durch SIGINT/SIGTERM
abgebrochen.)";

// The options each job takes besides the common ones.
const std::map<QString, QStringList> kJobOptions = {
    {QStringLiteral("sites"), {}},
    {QStringLiteral("report"),
     {QStringLiteral("kind"), QStringLiteral("period"), QStringLiteral("date"),
      QStringLiteral("site"), QStringLiteral("all-sites")}},
    {QStringLiteral("keywords"), {QStringLiteral("project"), QStringLiteral("list")}},
    {QStringLiteral("seo-data"), {QStringLiteral("project")}},
    {QStringLiteral("trends"),
     {QStringLiteral("domain"), QStringLiteral("year"), QStringLiteral("keyword")}},
    {QStringLiteral("backlinks"),
     {QStringLiteral("source"), QStringLiteral("domain"), QStringLiteral("max")}},
    {QStringLiteral("counter-check"),
     {QStringLiteral("list"), QStringLiteral("source"), QStringLiteral("domain"),
      QStringLiteral("max")}},
    {QStringLiteral("sitemap"), {QStringLiteral("url"), QStringLiteral("follow-index")}},
};

// Where the window pauses; the other jobs never do.
const QStringList kPausingJobs = {QStringLiteral("report"), QStringLiteral("seo-data"),
                                  QStringLiteral("counter-check")};

const std::map<QString, ReportKind> kKinds = {
    {QStringLiteral("ueberblick"), ReportKind::Overview},
    {QStringLiteral("keywords"), ReportKind::Keywords},
    {QStringLiteral("webseiten"), ReportKind::Websites},
    {QStringLiteral("seo"), ReportKind::SeoData},
    {QStringLiteral("live"), ReportKind::Live},
    {QStringLiteral("einstieg"), ReportKind::EntryPages},
};

const std::map<QString, QString> kPeriods = {
    {QStringLiteral("tag"), QStringLiteral("Tag")},
    {QStringLiteral("woche"), QStringLiteral("Woche")},
    {QStringLiteral("monat"), QStringLiteral("Monat")},
};

QString choices(const QStringList &names) {
    return names.join(u'|');
}

template <class Map> QStringList keysOf(const Map &map) {
    QStringList keys;
    for (const auto &[key, value] : map)
        keys << key;
    return keys;
}

bool wholeNumber(const QString &text, int min, int *value) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < min)
        return false;
    *value = n;
    return true;
}

QString requiredText(const QString &option) {
    return QStringLiteral("Die Option --%1 fehlt.").arg(option);
}

QString invalidText(const QString &option, const QString &value, const QString &allowed) {
    return QStringLiteral("Ungültiger Wert \"%1\" für --%2 (erlaubt: %3).")
        .arg(value, option, allowed);
}

} // namespace

Parsed parseArguments(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kelvaro Fennwick ohne Fenster: Berichte für cron und Timer.") +
        QString::fromUtf8(kJobsText));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("auftrag"),
                                 QStringLiteral("Der Auftrag (siehe unten)."));
    const auto option = [&parser](const QString &name, const QString &text,
                                  const QString &value = QString()) {
        QCommandLineOption o(name, text, value);
        parser.addOption(o);
        return o;
    };
    const auto dataDir =
        option(QStringLiteral("data-dir"),
               QStringLiteral("Der Datenordner (sonst KELVARO_DATA_DIR oder der des Programms)."),
               QStringLiteral("ordner"));
    const auto demo = option(QStringLiteral("demo"),
                             QStringLiteral("Gegen die eingebauten Platzhalterdienste mit den "
                                            "Beispieldaten, in einem frischen Ordner."));
    const auto pause = option(QStringLiteral("pause"),
                              QStringLiteral("Pause in Millisekunden, wo das Fenster pausiert."),
                              QStringLiteral("ms"));
    const auto json = option(QStringLiteral("json"),
                             QStringLiteral("Zusammenfassung als JSON auf der Standardausgabe."));
    const auto kind =
        option(QStringLiteral("kind"), QStringLiteral("Art des Berichts."), QStringLiteral("art"));
    const auto period =
        option(QStringLiteral("period"), QStringLiteral("Zeitraum."), QStringLiteral("zeitraum"));
    const auto date = option(QStringLiteral("date"), QStringLiteral("Stichtag (JJJJ-MM-TT)."),
                             QStringLiteral("datum"));
    const auto site =
        option(QStringLiteral("site"), QStringLiteral("Id einer Seite."), QStringLiteral("id"));
    const auto allSites =
        option(QStringLiteral("all-sites"), QStringLiteral("Alle Seiten der Seitentabelle."));
    const auto project =
        option(QStringLiteral("project"), QStringLiteral("Projekt."), QStringLiteral("projekt"));
    const auto list = option(QStringLiteral("list"),
                             QStringLiteral("Keywordliste (alle|neu|verloren) oder Linkliste "
                                            "der Gegenprobe (Datei)."),
                             QStringLiteral("liste"));
    const auto domain =
        option(QStringLiteral("domain"), QStringLiteral("Domain."), QStringLiteral("domain"));
    const auto year =
        option(QStringLiteral("year"), QStringLiteral("Jahr."), QStringLiteral("jahr"));
    const auto keyword =
        option(QStringLiteral("keyword"), QStringLiteral("Keyword."), QStringLiteral("keyword"));
    const auto source = option(QStringLiteral("source"), QStringLiteral("xovi oder seokicks."),
                               QStringLiteral("quelle"));
    const auto max = option(QStringLiteral("max"), QStringLiteral("Höchstzahl der Backlinks."),
                            QStringLiteral("n"));
    const auto url = option(QStringLiteral("url"), QStringLiteral("Adresse der Sitemap."),
                            QStringLiteral("url"));
    const auto followIndex =
        option(QStringLiteral("follow-index"),
               QStringLiteral("Die Unter-Sitemaps eines Sitemap-Index laden."));
    (void)dataDir; // read by the data folder choice, as in the window

    Parsed parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    if (parser.isSet(help)) {
        parsed.output = parser.helpText();
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.output = QCoreApplication::applicationName() + u' ' +
                        QCoreApplication::applicationVersion() + u'\n';
        return parsed;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        parsed.error =
            QStringLiteral("Kein Auftrag angegeben (%1).").arg(choices(keysOf(kJobOptions)));
        return parsed;
    }
    if (positional.size() > 1) {
        parsed.error = QStringLiteral("Unerwartetes Argument \"%1\".").arg(positional[1]);
        return parsed;
    }
    Options o;
    o.job = positional.first();
    const auto job = kJobOptions.find(o.job);
    if (job == kJobOptions.end()) {
        parsed.error = invalidText(QStringLiteral("auftrag"), o.job, choices(keysOf(kJobOptions)))
                           .replace(QStringLiteral("--auftrag"), QStringLiteral("den Auftrag"));
        return parsed;
    }
    // Options of other jobs are refused rather than silently ignored.
    for (const QString &name : parser.optionNames()) {
        const QString longName = name.size() == 1 ? QString() : name;
        static const QStringList common = {QStringLiteral("data-dir"), QStringLiteral("demo"),
                                           QStringLiteral("pause"), QStringLiteral("json")};
        if (common.contains(longName) || job->second.contains(longName))
            continue;
        parsed.error =
            QStringLiteral("Die Option --%1 gilt nicht für den Auftrag \"%2\".").arg(name, o.job);
        return parsed;
    }
    if (parser.isSet(pause)) {
        if (!kPausingJobs.contains(o.job)) {
            parsed.error = QStringLiteral("Der Auftrag \"%1\" pausiert nicht; --pause gilt "
                                          "nur für %2.")
                               .arg(o.job, kPausingJobs.join(QStringLiteral(", ")));
            return parsed;
        }
        int ms = 0;
        if (!wholeNumber(parser.value(pause), 0, &ms)) {
            parsed.error = invalidText(QStringLiteral("pause"), parser.value(pause),
                                       QStringLiteral("Millisekunden ab 0"));
            return parsed;
        }
        o.pauseMs = ms;
    }
    o.json = parser.isSet(json);
    o.demo = parser.isSet(demo);

    const auto fail = [&parsed](const QString &text) {
        parsed.error = text;
        return parsed;
    };
    if (o.job == QLatin1String("report")) {
        o.kindName = parser.value(kind);
        const auto k = kKinds.find(o.kindName);
        if (o.kindName.isEmpty())
            return fail(requiredText(QStringLiteral("kind")));
        if (k == kKinds.end())
            return fail(invalidText(QStringLiteral("kind"), o.kindName, choices(keysOf(kKinds))));
        o.kind = k->second;
        o.periodName = parser.isSet(period) ? parser.value(period) : QStringLiteral("tag");
        const auto p = kPeriods.find(o.periodName);
        if (p == kPeriods.end())
            return fail(
                invalidText(QStringLiteral("period"), o.periodName, choices(keysOf(kPeriods))));
        o.periodText = p->second;
        o.date = parser.isSet(date)
                     ? QDate::fromString(parser.value(date), QStringLiteral("yyyy-MM-dd"))
                     : QDate::currentDate();
        if (!o.date.isValid())
            return fail(invalidText(QStringLiteral("date"), parser.value(date),
                                    QStringLiteral("JJJJ-MM-TT")));
        o.sites = parser.values(site);
        o.allSites = parser.isSet(allSites);
        if (o.sites.isEmpty() == !o.allSites)
            return fail(QStringLiteral("Bitte entweder --site ID (auch mehrfach) oder "
                                       "--all-sites angeben."));
    } else if (o.job == QLatin1String("keywords") || o.job == QLatin1String("seo-data")) {
        if (!parser.isSet(project))
            return fail(requiredText(QStringLiteral("project")));
        o.project = parser.value(project);
        if (o.job == QLatin1String("keywords")) {
            o.list = parser.value(list);
            static const QStringList lists = {QStringLiteral("alle"), QStringLiteral("neu"),
                                              QStringLiteral("verloren")};
            if (o.list.isEmpty())
                return fail(requiredText(QStringLiteral("list")));
            if (!lists.contains(o.list))
                return fail(invalidText(QStringLiteral("list"), o.list, choices(lists)));
        }
    } else if (o.job == QLatin1String("trends")) {
        o.domain = parser.value(domain);
        if (o.domain.isEmpty())
            return fail(requiredText(QStringLiteral("domain")));
        if (!parser.isSet(year))
            return fail(requiredText(QStringLiteral("year")));
        if (!wholeNumber(parser.value(year), 1, &o.year))
            return fail(invalidText(QStringLiteral("year"), parser.value(year),
                                    QStringLiteral("ein Jahr wie 2025")));
        o.keywords = parser.values(keyword);
    } else if (o.job == QLatin1String("backlinks") || o.job == QLatin1String("counter-check")) {
        o.domain = parser.value(domain);
        o.source = parser.value(source);
        o.list = o.job == QLatin1String("counter-check") ? parser.value(list) : QString();
        // A list file's pages are judged against the domain text the window's panel would
        // hold: the demo's domain in a demo, else the panel's preset.
        if (o.domain.isEmpty() && !o.list.isEmpty())
            o.domain = o.demo ? QString::fromStdString(sandbox::demo::kMainDomain)
                              : QStringLiteral("http://www.example.com");
        if (o.domain.isEmpty())
            return fail(requiredText(QStringLiteral("domain")));
        static const QStringList sources = {QStringLiteral("xovi"), QStringLiteral("seokicks")};
        if (o.job == QLatin1String("counter-check") && o.source.isEmpty() == o.list.isEmpty())
            return fail(QStringLiteral("Bitte entweder --list DATEI oder --source xovi|seokicks "
                                       "angeben."));
        if (o.list.isEmpty() && o.source.isEmpty())
            return fail(requiredText(QStringLiteral("source")));
        if (!o.source.isEmpty() && !sources.contains(o.source))
            return fail(invalidText(QStringLiteral("source"), o.source, choices(sources)));
        if (parser.isSet(max)) {
            int n = 0;
            if (!wholeNumber(parser.value(max), 1, &n))
                return fail(invalidText(QStringLiteral("max"), parser.value(max),
                                        QStringLiteral("eine Zahl ab 1")));
            o.maxResults = parser.value(max);
        }
    } else if (o.job == QLatin1String("sitemap")) {
        o.url = parser.value(url);
        if (o.url.isEmpty())
            return fail(requiredText(QStringLiteral("url")));
        o.followIndex = parser.isSet(followIndex);
    }
    parsed.options = o;
    return parsed;
}

} // namespace kf::batch
