// The page control of the main window: reports, data and analysis tabs.
#include "app/form1.h"
#include "app/form1_build.h"
#include "core/handler_frame.h"
#include "trends/ranking_chart_view.h"
#include "widgets/grid_view.h"
#include "widgets/memo_view.h"

#include <QAction>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QChartView>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace kf::layout;

namespace {

QTabWidget *pageControl(const char *name) {
    auto *pages = new QTabWidget;
    pages->setObjectName(QString::fromLatin1(name));
    return pages;
}

QWidget *tabPage(const char *name) {
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

// A tab whose only content fills it.
QWidget *filledTab(const char *name, QWidget *content) {
    QWidget *page = tabPage(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

MemoView *memo(const char *name, const QString &text) {
    auto *m = new MemoView(QString::fromLatin1(name));
    m->memo().setText(text);
    return m;
}

} // namespace

QWidget *TForm1::buildPages() {
    QTabWidget *pages = pageControl("PageControl1");
    pages->addTab(buildReportsPage(), QStringLiteral("Auswertungen"));
    pages->addTab(buildDataPage(), QStringLiteral("Daten"));
    pages->addTab(buildAnalysisPage(), QStringLiteral("Analyse"));
    pages->setCurrentIndex(0);
    return pages;
}

QWidget *TForm1::buildReportsPage() {
    auto &ui = ws_.ui;
    QTabWidget *pages = pageControl("PageControl2");

    // Einstieg: calendar with the hidden report date and step button, beside the overview.
    QWidget *entry = tabPage("TabSheet3");
    auto *left = new QWidget(entry);
    left->setObjectName(QStringLiteral("Panel1"));
    left->setFixedWidth(209);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    ui.MonthCalendar1 = new QCalendarWidget(left);
    ui.MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    ui.MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    ui.MonthCalendar1->setLocale(QLocale(QLocale::German, QLocale::Germany));
    ui.Edit1 = edit("Edit1", QStringLiteral("Edit1"), left);
    ui.Edit1->hide();
    ui.Button2 = button("Button2", QStringLiteral("Button2"), left);
    ui.Button2->hide();
    leftLayout->addWidget(ui.MonthCalendar1);
    leftLayout->addWidget(ui.Edit1);
    leftLayout->addWidget(ui.Button2);
    leftLayout->addStretch(1);

    auto *overview = new QGroupBox(QStringLiteral("Übersicht"), entry);
    overview->setObjectName(QStringLiteral("Optionen"));
    // The memo's text belongs to the reports: the data folder is named on hovering.
    overview->setToolTip(
        QStringLiteral("Datenordner: %1").arg(QDir::toNativeSeparators(ws_.AppFolder)));
    auto *overviewLayout = new QVBoxLayout(overview);
    ui.ueberblick = memo("ueberblick", QStringLiteral("ueberblick"));
    overviewLayout->addWidget(ui.ueberblick);

    auto *entryLayout = new QHBoxLayout(entry);
    entryLayout->setContentsMargins(0, 0, 0, 0);
    entryLayout->addWidget(left);
    entryLayout->addWidget(overview, 1);

    ui.StringGrid2 = new GridView(QStringLiteral("StringGrid2"), 5, 1);
    ui.StringGrid4 = new GridView(QStringLiteral("StringGrid4"), 5, 1);
    ui.StringGrid3 = new GridView(QStringLiteral("StringGrid3"), 5, 1);

    pages->addTab(entry, QStringLiteral("Einstieg"));
    pages->addTab(filledTab("Keywords", ui.StringGrid2), QStringLiteral("Keywords"));
    pages->addTab(filledTab("Verweisende", ui.StringGrid4), QStringLiteral("Verweisende"));
    pages->addTab(filledTab("SEO", ui.StringGrid3), QStringLiteral("SEO"));
    pages->setCurrentIndex(0);

    // The check run clicks the hidden button once per selected site.
    connect(ui.Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    return filledTab("TabSheet1", pages);
}

QWidget *TForm1::buildDataPage() {
    auto &ui = ws_.ui;
    QTabWidget *pages = pageControl("Webseite");
    ui.StringGrid1 = new GridView(QStringLiteral("StringGrid1"), 5, 5);
    ui.speich = memo("speich", QStringLiteral("speich"));
    pages->addTab(filledTab("Webseiten", ui.StringGrid1), QStringLiteral("Webseiten"));
    QWidget *scratch = filledTab("Zwischenspeicher", ui.speich);
    pages->addTab(scratch, QStringLiteral("Zwischenspeicher"));
    pages->setCurrentWidget(scratch);
    return filledTab("TabSheet2", pages);
}

QWidget *TForm1::buildAnalysisPage() {
    auto &ui = ws_.ui;
    QTabWidget *pages = pageControl("PageControl3");

    QWidget *keywords = tabPage("TabSheet5");
    ui.Domain_Xovi = combo("Domain_Xovi", {}, QStringLiteral("Domain_Xovi"), keywords);
    ui.kw_analyze_entry = edit("kw_analyze_entry", QStringLiteral("kw_analyze_entry"), keywords);
    ui.kw_analyze = list("kw_analyze", true, keywords);
    ui.auswahl_jahr = combo("auswahl_jahr", {}, QStringLiteral("auswahl_jahr"), keywords);
    ui.ListBox3 = list("ListBox3", true, keywords);
    ui.RadioButton1 = radio("RadioButton1", QStringLiteral("Rankingverlauf"), keywords);
    // Alone in its page: a group of one keeps a second click from clearing it.
    (new QButtonGroup(keywords))->addButton(ui.RadioButton1);
    auto *analyse = button("Button5", QStringLiteral("Analyse"), keywords);

    // Watched domain and its keywords on the left, year and its dates on the right.
    auto *grid = new QGridLayout(keywords);
    grid->addWidget(ui.Domain_Xovi, 0, 0);
    grid->addWidget(ui.kw_analyze_entry, 1, 0);
    grid->addWidget(ui.kw_analyze, 2, 0);
    grid->addWidget(ui.auswahl_jahr, 0, 1);
    grid->addWidget(ui.ListBox3, 1, 1, 2, 1);
    grid->addWidget(ui.RadioButton1, 0, 2);
    grid->addWidget(analyse, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    QWidget *table = tabPage("Tabelle");
    ui.StringGrid5 = new GridView(QStringLiteral("StringGrid5"), 5, 5);
    ui.StringGrid5->grid().setFixed(1, 1);
    ui.Memo1 = memo("Memo1", QStringLiteral("Memo1"));
    ui.Memo1->hide();
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(ui.StringGrid5);
    tableLayout->addWidget(ui.Memo1);

    pages->addTab(keywords, QStringLiteral("Keywords"));
    pages->addTab(table, QStringLiteral("Tabelle"));
    pages->addTab(buildChartTab(), QStringLiteral("Diagramm"));
    pages->setCurrentIndex(0);
    // The chart follows the grid: shown again, it draws what the grid holds now.
    connect(pages, &QTabWidget::currentChanged, this, [this, pages] {
        if (pages->currentWidget()->objectName() == QLatin1String("TabSheetDiagramm"))
            kf::trends::refreshRankingChart(ws_);
    });

    connect(ui.auswahl_jahr, &QComboBox::editTextChanged, this, &TForm1::auswahl_jahrChange);
    connect(ui.Domain_Xovi, &QComboBox::editTextChanged, this, &TForm1::Domain_XoviChange);
    onReturn(ui.Domain_Xovi, &TForm1::Domain_XoviKeyDown);
    onReturn(ui.kw_analyze_entry, &TForm1::kw_analyze_entryKeyDown);
    connect(analyse, &QPushButton::clicked, this, &TForm1::Button5Click);
    return filledTab("TabSheet4", pages);
}

QWidget *TForm1::buildChartTab() {
    ws_.ui.Chart1 = kf::trends::createRankingChartView();
    auto *save = new QAction(QStringLiteral("Diagramm speichern"), ws_.ui.Chart1);
    save->setObjectName(QStringLiteral("DiagrammSpeichern1"));
    ws_.ui.Chart1->setContextMenuPolicy(Qt::ActionsContextMenu);
    ws_.ui.Chart1->addAction(save);
    connect(save, &QAction::triggered, this, [this] {
        if (!refusedWhileRunning())
            kf::runHandler([this] { kf::trends::saveRankingChart(ws_); });
    });
    return filledTab("TabSheetDiagramm", ws_.ui.Chart1);
}
