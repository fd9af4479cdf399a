#include "sitemap/form2.h"

#include "core/handler_frame.h"
#include "core/workspace.h"
#include "sitemap/extraction.h"
#include "text/string_grid.h"
#include "widgets/memo_view.h"
#include "widgets/program_icon.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// How long a note of the run (a child sitemap skipped) stands before the progress shows again.
constexpr int kMessageDuringRunMs = 4000;
} // namespace

TForm2::TForm2(kf::Workspace &mainWindow, QWidget *parent)
    : QWidget(parent), ws_(mainWindow), mainWindow_(mainWindow.ui.form) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Sitemap-Crawler"));
    setWindowIcon(kf::programIcon());
    setFont(kf::programFont());

    auto *panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedWidth(185);
    Edit1 = new QLineEdit(QStringLiteral("Sitemap-URL"), panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    CheckBox1 = new QCheckBox(QStringLiteral("Unter-Sitemaps laden"), panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    auto *extractButton = new QPushButton(QStringLiteral("Extrakt"), panel1);
    extractButton->setObjectName(QStringLiteral("Button1"));
    auto *handOverButton = new QPushButton(QStringLiteral("Übertrag"), panel1);
    handOverButton->setObjectName(QStringLiteral("Button2"));
    auto *leftLayout = new QVBoxLayout(panel1);
    leftLayout->addWidget(Edit1);
    leftLayout->addWidget(CheckBox1);
    leftLayout->addWidget(extractButton);
    leftLayout->addWidget(handOverButton);
    leftLayout->addStretch(1);

    auto *panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    Memo1 = new MemoView(QStringLiteral("Memo1"), panel2);
    auto *rightLayout = new QVBoxLayout(panel2);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(Memo1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1);
    layout->addWidget(panel2, 1);
    resize(601, 296);

    connect(extractButton, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(handOverButton, &QPushButton::clicked, this, &TForm2::Button2Click);
}

void TForm2::Button1Click() {
    kf::runHandler([this] { extract(); });
}

void TForm2::Button2Click() {
    kf::runHandler([this] { handOver(); });
}

void TForm2::extract() {
    if (!mainWindow_)
        return;
    kf::sitemap::extractSitemap(ws_, Memo1->memo(), {Edit1->text(), CheckBox1->isChecked()},
                                [this](const QString &text) { statusLine(text); });
}

void TForm2::statusLine(const QString &text) {
    if (!mainWindow_)
        return;
    // The foot keeps it once the run has ended (at once outside a run), instead of the count;
    // during a run it shows for a moment, then the progress comes back.
    ws_.runs.setEndLine(text);
    if (ws_.runs.anyRunning())
        if (auto *bar = mainWindow_->findChild<QStatusBar *>(QStringLiteral("StatusBar1")))
            bar->showMessage(text, kMessageDuringRunMs);
}

// Opens centred over the main window, and whole on the main window's screen.
void TForm2::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || !mainWindow_)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(mainWindow_->frameGeometry().center());
    if (const QScreen *screen = mainWindow_->screen()) {
        const QRect room = screen->availableGeometry();
        frame.moveRight(std::min(frame.right(), room.right()));
        frame.moveBottom(std::min(frame.bottom(), room.bottom()));
        frame.moveLeft(std::max(frame.left(), room.left()));
        frame.moveTop(std::max(frame.top(), room.top()));
    }
    move(frame.topLeft());
}

void TForm2::handOver() {
    if (mainWindow_)
        ws_.ui.ueberblick->memo().setText(Memo1->memo().text());
    hide();
}
