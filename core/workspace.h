#pragma once

#include "core/session.h"

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

// The main window's caption as the runs' caption.
class WindowCaption final : public CaptionDisplay {
public:
    explicit WindowCaption(const Controls &ui) : ui_(ui) {}
    QString caption() const override;
    void setCaption(const QString &caption) override;

private:
    const Controls &ui_;
};

// The session of the main window: the runs' data are its views' models, the caption its title.
// Each subsystem's window side is given one and fills the runs' requests from the controls.
struct Workspace : Session {
    Workspace() { captionDisplay = &windowCaption_; }
    Workspace(const Workspace &) = delete;
    Workspace &operator=(const Workspace &) = delete;

    Controls ui;
    // Points the models at the views of `ui`, once the window has built them.
    void attachViews();

private:
    WindowCaption windowCaption_{ui};
};

} // namespace kf
