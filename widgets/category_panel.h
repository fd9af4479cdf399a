#pragma once

#include <QWidget>

class QToolButton;
class QVBoxLayout;

// A collapsible panel: a header button with the title above a body that holds the controls.
// Clicking the header shows or hides the body.
class CategoryPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(bool expanded READ isExpanded WRITE setExpanded NOTIFY expandedChanged)
public:
    CategoryPanel(const QString &name, const QString &title, QWidget *parent = nullptr);

    QString title() const;
    void setTitle(const QString &title);

    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded);

    // The controls of the panel go here.
    QWidget *body() const { return body_; }
    QToolButton *header() const { return header_; }

Q_SIGNALS:
    void expandedChanged(bool expanded);

private:
    QToolButton *header_;
    QWidget *body_;
    bool expanded_ = true;
};

// The stack of category panels of a window's side column; collapsed panels leave their room to
// the ones below, and the column scrolls when the expanded panels need more height than it has.
class CategoryPanelGroup : public QWidget {
    Q_OBJECT
public:
    explicit CategoryPanelGroup(const QString &name, QWidget *parent = nullptr);

    void addPanel(CategoryPanel *panel);
    // The size that shows the open panels whole, without a scroll bar.
    QSize sizeHint() const override;

private:
    QWidget *content_;
    QVBoxLayout *stack_;
};
