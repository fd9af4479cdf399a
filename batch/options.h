#pragma once

#include "analytics/site_report.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace kf::batch {

// A job of kelvaro-batch and everything it was asked for, checked but not yet looked up in the
// data folder.
struct Options {
    QString job; // "sites", "report", "keywords", "seo-data", "trends", "backlinks",
                 // "counter-check", "sitemap"
    bool json = false;
    bool demo = false;
    std::optional<int> pauseMs;

    // report
    analytics::ReportKind kind = analytics::ReportKind::None;
    QString kindName;
    QString periodName;
    QString periodText; // as the window's period box says it
    QDate date;
    QStringList sites;
    bool allSites = false;
    // keywords, seo-data
    QString project;
    QString list; // keywords: alle|neu|verloren; counter-check: the list file
    // trends, backlinks, counter-check
    QString domain;
    int year = 0;
    QStringList keywords;
    QString source;
    QString maxResults = QStringLiteral("100");
    // sitemap
    QString url;
    bool followIndex = false; // "Unter-Sitemaps laden"
};

// What the command line asks for: a job, or the help or version text, or an error (exit 2).
struct Parsed {
    std::optional<Options> options;
    QString output; // the help or version text, for stdout
    QString error;  // German, for stderr
};

Parsed parseArguments(const QStringList &arguments);

} // namespace kf::batch
