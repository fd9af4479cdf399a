#pragma once

#include "core/long_run.h"
#include "net/http_client.h"

#include <QSet>
#include <QString>

class QCalendarWidget;
class QChartView;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;
class MemoView;
class GridView;

namespace kf {

// The controls of the main window that the subsystems read and write. TForm1 fills it while it
// builds its layout; every pointer stays valid for the window's life.
struct Controls {
    QWidget *form = nullptr; // Form1 itself: its caption is the status line

    // Einstellungen
    QLineEdit *URL = nullptr, *Token = nullptr, *xovi_api_key = nullptr, *seokicksapi = nullptr;
    // Auswahl
    QListWidget *ListBox1 = nullptr;
    QRadioButton *overview_all = nullptr, *Keywords_all = nullptr, *Webseiten_all = nullptr,
                 *Check_SEO = nullptr, *LiveCheck = nullptr, *einstieg = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    // SEODaten
    QComboBox *Projekte = nullptr, *sengine = nullptr;
    QLineEdit *Edit2 = nullptr;
    QListWidget *ListBox2 = nullptr;
    QRadioButton *PiWikAPI = nullptr, *xovi_kw = nullptr, *xovi_kw_new = nullptr,
                 *xovi_kw_lost = nullptr;
    QPushButton *Button3 = nullptr, *Button4 = nullptr;
    MemoView *sonst_urls = nullptr;
    // Backlinkchecker
    QLineEdit *Edit44 = nullptr, *maxerg = nullptr;
    QComboBox *ComboBox19 = nullptr;
    QRadioButton *RadioButton17 = nullptr, *RadioButton18 = nullptr, *RadioButton40 = nullptr;
    // Auswertungen
    QCalendarWidget *MonthCalendar1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button2 = nullptr;
    MemoView *ueberblick = nullptr;
    GridView *StringGrid2 = nullptr, *StringGrid3 = nullptr, *StringGrid4 = nullptr;
    // Daten
    GridView *StringGrid1 = nullptr;
    MemoView *speich = nullptr;
    // Analyse
    QComboBox *Domain_Xovi = nullptr, *auswahl_jahr = nullptr;
    QLineEdit *kw_analyze_entry = nullptr;
    QListWidget *kw_analyze = nullptr, *ListBox3 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    GridView *StringGrid5 = nullptr;
    MemoView *Memo1 = nullptr;
    QChartView *Chart1 = nullptr; // tab "Diagramm": the ranking history of StringGrid5
};

// What the handlers of the main window share: the unit-wide strings, the controls and the
// process-long HTTP client. Each subsystem object is given one.
struct Workspace {
    QString AppFolder;
    QString WindowTitle;
    QString RequestUrl;
    QString SavePath;
    QString SiteId;
    QString SiteName;
    QString PeriodParam;
    QString LiveMinutesParam;
    QString XoviKey;

    // Set when the main window closes; long runs stop before their next step instead of
    // working on unseen until their end.
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
    Controls ui;

    // The road of every service request: the body of `url`, fetched with IdHTTP1, becomes the
    // text of speich, one tag per line. Fetch errors propagate.
    void fetchIntoSpeich(const QString &url);

    // AppFolder followed by a relative path written with backslashes.
    QString path(const QString &relative) const;
    void setCaption(const QString &caption);
    QString caption() const;
};

} // namespace kf
