#include "analytics/analytics_panel.h"

#include "core/workspace.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace kf::analytics {

AnalyticsPanel::AnalyticsPanel(Workspace &ws) : ws_(ws), report_(ws), checkRun_(ws, report_) {}

ReportSettings AnalyticsPanel::settings() const {
    const Controls &ui = ws_.ui;
    ReportSettings settings;
    settings.server = {ui.URL->text(), ui.Token->text()};
    // The radio buttons form one group: at most one is checked.
    const std::pair<QRadioButton *, ReportKind> kinds[] = {
        {ui.overview_all, ReportKind::Overview},  {ui.Keywords_all, ReportKind::Keywords},
        {ui.Webseiten_all, ReportKind::Websites}, {ui.Check_SEO, ReportKind::SeoData},
        {ui.LiveCheck, ReportKind::Live},         {ui.einstieg, ReportKind::EntryPages},
    };
    for (const auto &[button, kind] : kinds)
        if (button->isChecked())
            settings.kind = kind;
    settings.date = ui.MonthCalendar1->selectedDate();
    settings.periodText = ui.ComboBox2->currentText();
    return settings;
}

// Edit1 shows the date the reports asked for.
void AnalyticsPanel::showReportDate() {
    ws_.ui.Edit1->setText(report_.reportDate());
}

void AnalyticsPanel::check() {
    const Controls &ui = ws_.ui;
    CheckRequest request;
    for (int k = 0; k < ui.ListBox1->count(); ++k)
        if (ui.ListBox1->item(k)->isSelected())
            request.siteRows.append(k);
    request.periodText = ui.ComboBox2->currentText();
    request.liveMinutesText = ui.ComboBox1->currentText();
    request.report = settings();
    if (checkRun_.run(request) > 0)
        showReportDate();
}

void AnalyticsPanel::step() {
    report_.step(settings());
    showReportDate();
}

void AnalyticsPanel::seoRankRow() {
    report_.SeoRankRow(settings().server);
}

} // namespace kf::analytics
