#pragma once

#include <QPointer>
#include <QWidget>

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

private:
    void extract();
    void handOver();

    kf::Workspace &ws_;
    QPointer<QWidget> mainWindow_; // the workspace is only used while its window lives
    QLineEdit *Edit1;
    MemoView *Memo1;
};
