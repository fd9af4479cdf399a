#pragma once

#include "core/long_run.h"
#include "net/http_client.h"
#include "text/error.h"
#include "text/memo.h"
#include "text/string_grid.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <exception>
#include <utility>

namespace kf {

// The text data the runs read and write, named after the controls that show them in the main
// window. The window points them at its views' models; a run without a window at its own.
struct Models {
    Memo *speich = nullptr;
    Memo *ueberblick = nullptr;
    Memo *sonst_urls = nullptr;
    Memo *Memo1 = nullptr;
    StringGrid *StringGrid1 = nullptr;
    StringGrid *StringGrid2 = nullptr;
    StringGrid *StringGrid3 = nullptr;
    StringGrid *StringGrid4 = nullptr;
    StringGrid *StringGrid5 = nullptr;
};

// Models of their own, sized as the window's grids start, for runs without a window.
struct OwnedModels {
    Memo speich, ueberblick, sonst_urls, Memo1;
    StringGrid StringGrid1{5, 5}, StringGrid2{5, 1}, StringGrid3{5, 1}, StringGrid4{5, 1},
        StringGrid5{5, 5};
    Models models() {
        return {&speich,      &ueberblick,  &sonst_urls,  &Memo1,      &StringGrid1,
                &StringGrid2, &StringGrid3, &StringGrid4, &StringGrid5};
    }
};

// Where the caption of the runs goes: the main window's title, or a progress line.
class CaptionDisplay {
public:
    virtual ~CaptionDisplay() = default;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString &caption) = 0;
};

// What the runs of one window (or one unattended process) share: the unit-wide strings, the
// data models, the caption, the long runs and the process-long HTTP client.
struct Session {
    QString AppFolder;
    QString WindowTitle;
    QString RequestUrl;
    QString SavePath;
    QString SiteId;
    QString SiteName;
    QString PeriodParam;
    QString LiveMinutesParam;
    QString XoviKey;

    // Set when the main window closes (or the process is told to stop); long runs stop before
    // their next step instead of working on unseen until their end.
    bool closing = false;
    // The long runs in progress: progress, cancel, and no second run of a handler on top.
    LongRuns runs;

    net::HttpClient IdHTTP1;
    // Analytics servers (scheme://host:port/path) that take token_auth only in a POST body.
    QSet<QString> tokenByPost;
    // Analytics servers that know the referrer kinds only as Referrers.getReferrerType.
    QSet<QString> todaysReferrerTypes;
    // The message of the last error reply of an analytics server, until a run shows it.
    QString analyticsServerMessage;
    Models models;
    CaptionDisplay *captionDisplay = nullptr;
    // Why runs ended early, in order: a run that ends silently on a failure (as the window's
    // runs do) leaves the text here for whoever must tell success from failure.
    QStringList failures;

    Memo &speich() { return *models.speich; }
    Memo &ueberblick() { return *models.ueberblick; }
    Memo &sonstUrls() { return *models.sonst_urls; }
    Memo &memo1() { return *models.Memo1; }
    StringGrid &grid1() { return *models.StringGrid1; }
    StringGrid &grid2() { return *models.StringGrid2; }
    StringGrid &grid3() { return *models.StringGrid3; }
    StringGrid &grid4() { return *models.StringGrid4; }
    StringGrid &grid5() { return *models.StringGrid5; }

    // The road of every service request: the body of `url`, fetched with IdHTTP1, becomes the
    // text of speich, one tag per line. Fetch errors propagate.
    void fetchIntoSpeich(const QString &url);

    // Runs a step whose failure ends it without a message, like kf::guarded, and notes why.
    template <class Step> bool attempt(Step &&step) {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const std::exception &e) {
            failures.append(errorText(e));
            return false;
        }
    }

    // AppFolder followed by a relative path written with backslashes.
    QString path(const QString &relative) const;
    void setCaption(const QString &caption);
    QString caption() const;

private:
    QString caption_; // without a display
};

} // namespace kf
