#include "sitemap/form2.h"

#include "core/handler_frame.h"
#include "core/workspace.h"
#include "net/http_client.h"
#include "text/string_grid.h"
#include "text/tag_per_line.h"
#include "widgets/memo_view.h"
#include "widgets/program_icon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto *extractButton = new QPushButton(QStringLiteral("Extrakt"), panel1);
    extractButton->setObjectName(QStringLiteral("Button1"));
    auto *handOverButton = new QPushButton(QStringLiteral("Übertrag"), panel1);
    handOverButton->setObjectName(QStringLiteral("Button2"));
    auto *leftLayout = new QVBoxLayout(panel1);
    leftLayout->addWidget(Edit1);
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
    kf::Memo &speich = ws_.speich();
    speich.prepare();
    {
        // A client of its own, with its own cookies, for this one sitemap. HTTPS sitemaps are
        // fetched as well.
        kf::net::HttpClient crawler(kf::net::HttpClient::Transport::PlainAndTls);
        speich.setText(crawler.fetch(Edit1->text()));
    }
    speich.setText(kf::locPerLine(speich.text()));

    // Each extraction lists its own sitemap only; a failed fetch above leaves the list as it was.
    kf::Memo &found = Memo1->memo();
    found.clear();
    const int n = speich.lineCount();
    for (int i = 1; i < n; ++i) {
        const QString line = speich.line(i);
        if (line.contains(QStringLiteral("http://")) || line.contains(QStringLiteral("https://")))
            found.addLine(line);
    }
    found.setScrollBars(true);
    ws_.setCaption(QString::number(found.lineCount()) + QStringLiteral(" Links gefunden"));
}

void TForm2::handOver() {
    if (mainWindow_)
        ws_.ueberblick().setText(Memo1->memo().text());
    hide();
}
