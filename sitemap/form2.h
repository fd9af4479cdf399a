#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class MemoView;

namespace kf {
struct Workspace;
}

// The sitemap crawler window: collects the page addresses of a sitemap and hands them to the
// overview of the main window. It works on the main window's workspace (speich, ueberblick,
// caption).
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(kf::Workspace &mainWindow, QWidget *parent = nullptr);

public Q_SLOTS:
    void Button1Click(); // "Extrakt"
    void Button2Click(); // "Übertrag"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void extract();
    void handOver();
    // What the extraction says beyond the count goes into the main window's status bar.
    void statusLine(const QString &text);

    kf::Workspace &ws_;
    QPointer<QWidget> mainWindow_; // the workspace is only used while its window lives
    QLineEdit *Edit1;
    QCheckBox *CheckBox1; // "Unter-Sitemaps laden": an index's child sitemaps are fetched too
    MemoView *Memo1;
};
