// The left column of the main window: the four category panels and their controls.
#include "app/form1.h"
#include "app/form1_build.h"
#include "widgets/category_panel.h"
#include "widgets/memo_view.h"
#include "widgets/secret_field.h"
#include "xovi/search_engines.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

using namespace kf::layout;

namespace {

QVBoxLayout *columnLayout(QWidget *body) {
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(3);
    return layout;
}

QStringList checkFrequencies() {
    QStringList items;
    for (int ms = 100; ms <= 1000; ms += 100)
        items << QString::number(ms);
    for (int ms = 2000; ms <= 20000; ms += 1000)
        items << QString::number(ms);
    return items;
}

} // namespace

QWidget *TForm1::buildCategoryColumn() {
    auto *group = new CategoryPanelGroup(QStringLiteral("CategoryPanelGroup1"));
    group->setFixedWidth(241);
    group->addPanel(buildSettingsPanel());
    group->addPanel(buildSelectionPanel());
    group->addPanel(buildSeoPanel());
    group->addPanel(buildBacklinkPanel());
    // The site and domain lists keep about ten rows however many panels are open; the column
    // scrolls instead of squeezing them.
    for (QListWidget *list : {ws_.ui.ListBox1, ws_.ui.ListBox2})
        list->setMinimumHeight(10 * (list->fontMetrics().height() + 2) + 2 * list->frameWidth());
    return group;
}

CategoryPanel *TForm1::buildSettingsPanel() {
    auto *panel =
        new CategoryPanel(QStringLiteral("CategoryPanel1"), QStringLiteral("Einstellungen"));
    QWidget *body = panel->body();
    auto *layout = columnLayout(body);
    auto &ui = ws_.ui;

    ui.URL = edit("URL", QStringLiteral("URL"), body);
    ui.Token = edit("Token", QString(), body);
    auto *speichern = button("Speichern", QStringLiteral("Speichern"), body);
    auto *xoviLabel = label("XOVIAPI", QStringLiteral("XOVIAPI"), body);
    ui.xovi_api_key = edit("xovi_api_key", QString(), body);
    auto *seokicksLabel = label("Label2", QStringLiteral("SEOkicks - API"), body);
    ui.seokicksapi = edit("seokicksapi", QString(), body);

    layout->addWidget(ui.URL);
    layout->addWidget(ui.Token);
    layout->addWidget(speichern);
    layout->addWidget(xoviLabel);
    layout->addWidget(ui.xovi_api_key);
    layout->addWidget(seokicksLabel);
    layout->addWidget(ui.seokicksapi);
    // Token and keys show as dots; the eye at each field's end shows one in clear.
    for (QLineEdit *secret : {ui.Token, ui.xovi_api_key, ui.seokicksapi})
        kf::maskSecret(secret);

    connect(speichern, &QPushButton::clicked, this, &TForm1::SpeichernClick);
    panel->setExpanded(true);
    return panel;
}

CategoryPanel *TForm1::buildSelectionPanel() {
    auto *panel = new CategoryPanel(QStringLiteral("CategoryPanel2"), QStringLiteral("Auswahl"));
    QWidget *body = panel->body();
    auto *layout = columnLayout(body);
    auto &ui = ws_.ui;

    ui.ListBox1 = list("ListBox1", true, body);
    ui.overview_all = radio("overview_all", QStringLiteral("Überblick"), body);
    ui.Keywords_all = radio("Keywords_all", QStringLiteral("Keywords"), body);
    ui.Webseiten_all = radio("Webseiten_all", QStringLiteral("Webseiten"), body);
    ui.Check_SEO = radio("Check_SEO", QStringLiteral("SEO-Daten"), body);
    ui.LiveCheck = radio("LiveCheck", QStringLiteral("Livecheck"), body);
    ui.einstieg = radio("einstieg", QStringLiteral("Einstiegsseiten"), body);
    auto *check = button("Button1", QStringLiteral("Check"), body);
    ui.ComboBox1 = combo("ComboBox1",
                         {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15"),
                          QStringLiteral("30"), QStringLiteral("35"), QStringLiteral("40"),
                          QStringLiteral("45"), QStringLiteral("50")},
                         QStringLiteral("Live-Check-Abfrage"), body);
    ui.ComboBox2 = combo("ComboBox2",
                         {QStringLiteral("Tag"), QStringLiteral("Woche"), QStringLiteral("Monat")},
                         QStringLiteral("Periode - Zeitraum "), body);

    // The six report kinds exclude each other and nothing else.
    auto *kinds = new QButtonGroup(body);
    kinds->setObjectName(QStringLiteral("ReportKinds"));
    layout->addWidget(ui.ListBox1);
    for (QRadioButton *kind : {ui.overview_all, ui.Keywords_all, ui.Webseiten_all, ui.Check_SEO,
                               ui.LiveCheck, ui.einstieg}) {
        kinds->addButton(kind);
        layout->addWidget(kind);
    }
    layout->addWidget(check);
    layout->addWidget(ui.ComboBox1);
    layout->addWidget(ui.ComboBox2);

    connect(check, &QPushButton::clicked, this, &TForm1::Button1Click);
    panel->setExpanded(false);
    return panel;
}

CategoryPanel *TForm1::buildSeoPanel() {
    auto *panel = new CategoryPanel(QStringLiteral("SEODaten"), QStringLiteral("SEODaten"));
    QWidget *body = panel->body();
    auto *layout = columnLayout(body);
    auto &ui = ws_.ui;

    ui.Projekte = combo("Projekte", {}, QStringLiteral("Projekte"), body);
    ui.Edit2 = edit("Edit2", QStringLiteral("Domain"), body);
    ui.ListBox2 = list("ListBox2", false, body);
    ui.Button3 = button("Button3", QStringLiteral("Check"), body);
    auto *engineLabel = label("Label1", QStringLiteral("Suchmaschine / XOVI"), body);
    ui.sengine = combo("sengine", kf::xovi::engineTexts(), kf::xovi::engineTexts().first(), body);
    ui.PiWikAPI = radio("PiWikAPI", QStringLiteral("PiWikAPI"), body);
    // A lone radio button would toggle off on a second click; its own exclusive group keeps
    // it selected once chosen.
    (new QButtonGroup(body))->addButton(ui.PiWikAPI);

    auto *xovi = new QGroupBox(QStringLiteral("Xovi"), body);
    xovi->setObjectName(QStringLiteral("GroupBox1"));
    auto *xoviLayout = new QVBoxLayout(xovi);
    xoviLayout->setContentsMargins(6, 2, 6, 4);
    ui.xovi_kw = radio("xovi_kw", QStringLiteral("Keywords (alle, Limit 1500)"), xovi);
    ui.xovi_kw_new = radio("xovi_kw_new", QStringLiteral("Keywords (Neu)"), xovi);
    ui.xovi_kw_lost = radio("xovi_kw_lost", QStringLiteral("Keywords (Verloren)"), xovi);
    xoviLayout->addWidget(ui.xovi_kw);
    xoviLayout->addWidget(ui.xovi_kw_new);
    xoviLayout->addWidget(ui.xovi_kw_lost);

    ui.Button4 = button("Button4", QStringLiteral("Button4"), body);
    ui.Button4->hide();
    ui.sonst_urls = new MemoView(QStringLiteral("sonst_urls"), body);
    ui.sonst_urls->memo().setScrollBars(true);
    ui.sonst_urls->hide();

    layout->addWidget(ui.Projekte);
    layout->addWidget(ui.Edit2);
    layout->addWidget(ui.ListBox2);
    layout->addWidget(ui.Button3);
    layout->addWidget(engineLabel);
    layout->addWidget(ui.sengine);
    layout->addWidget(ui.PiWikAPI);
    layout->addWidget(xovi);
    layout->addWidget(ui.Button4);
    layout->addWidget(ui.sonst_urls);

    connect(ui.Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ui.Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(ui.Projekte, &QComboBox::editTextChanged, this, &TForm1::ProjekteChange);
    onReturn(ui.Projekte, &TForm1::ProjekteKeyDown);
    onReturn(ui.Edit2, &TForm1::Edit2KeyDown);

    ui.ListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.ListBox2, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        PopupMenu2->popup(ws_.ui.ListBox2->viewport()->mapToGlobal(at));
    });

    panel->setExpanded(false);
    return panel;
}

CategoryPanel *TForm1::buildBacklinkPanel() {
    auto *panel =
        new CategoryPanel(QStringLiteral("CategoryPanel3"), QStringLiteral("Backlinkchecker"));
    QWidget *body = panel->body();
    auto *layout = columnLayout(body);
    auto &ui = ws_.ui;

    auto *domainLabel = label("Label94", QStringLiteral("Domainname:"), body);
    ui.Edit44 = edit("Edit44", QStringLiteral("http://www.example.com"), body);
    auto *frequencyLabel = label("Label96", QStringLiteral("Checkfrequenz:"), body);
    ui.ComboBox19 = combo("ComboBox19", checkFrequencies(), QStringLiteral("1000"), body);
    auto *maxLabel = label("Label21", QStringLiteral("max. Ergebnisse"), body);
    ui.maxerg = edit("maxerg", QStringLiteral("100"), body);
    ui.RadioButton17 = radio("RadioButton17", QStringLiteral("Crawler"), body);
    ui.RadioButton17->setEnabled(false);
    ui.RadioButton18 = radio("RadioButton18", QStringLiteral("seokicks"), body);
    ui.RadioButton40 = radio("RadioButton40", QStringLiteral("XOVI"), body);
    auto *check = button("Button99", QStringLiteral("Check!"), body);
    auto *counterCheck = button("Button6", QStringLiteral("Gegenprobe"), body);

    auto *sources = new QButtonGroup(body);
    sources->setObjectName(QStringLiteral("BacklinkSources"));
    sources->addButton(ui.RadioButton17);
    sources->addButton(ui.RadioButton18);
    sources->addButton(ui.RadioButton40);

    layout->addWidget(domainLabel);
    layout->addWidget(ui.Edit44);
    layout->addWidget(frequencyLabel);
    layout->addWidget(ui.ComboBox19);
    layout->addWidget(maxLabel);
    layout->addWidget(ui.maxerg);
    layout->addWidget(ui.RadioButton17);
    layout->addWidget(ui.RadioButton18);
    layout->addWidget(ui.RadioButton40);
    layout->addWidget(check);
    layout->addWidget(counterCheck);

    connect(check, &QPushButton::clicked, this, &TForm1::Button99Click);
    connect(counterCheck, &QPushButton::clicked, this, &TForm1::Button6Click);
    panel->setExpanded(true);
    return panel;
}
