#include "widgets/category_panel.h"

#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

CategoryPanel::CategoryPanel(const QString &name, const QString &title, QWidget *parent)
    : QWidget(parent), header_(new QToolButton(this)), body_(new QWidget(this)) {
    setObjectName(name);
    header_->setObjectName(name + QStringLiteral("Header"));
    header_->setText(title);
    header_->setCheckable(true);
    header_->setChecked(true);
    header_->setArrowType(Qt::DownArrow);
    header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header_->setAutoRaise(false);
    body_->setObjectName(name + QStringLiteral("Body"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(body_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    connect(header_, &QToolButton::toggled, this, &CategoryPanel::setExpanded);
}

QString CategoryPanel::title() const {
    return header_->text();
}

void CategoryPanel::setTitle(const QString &title) {
    header_->setText(title);
}

void CategoryPanel::setExpanded(bool expanded) {
    if (expanded == expanded_)
        return;
    expanded_ = expanded;
    header_->setChecked(expanded);
    header_->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    body_->setVisible(expanded);
    Q_EMIT expandedChanged(expanded);
}

CategoryPanelGroup::CategoryPanelGroup(const QString &name, QWidget *parent) : QWidget(parent) {
    setObjectName(name);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget(scroll);
    content_ = content;
    stack_ = new QVBoxLayout(content);
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->setSpacing(1);
    stack_->addStretch(1);
    scroll->setWidget(content);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void CategoryPanelGroup::addPanel(CategoryPanel *panel) {
    // Panels stack from the top; the stretch stays last.
    stack_->insertWidget(stack_->count() - 1, panel);
}

QSize CategoryPanelGroup::sizeHint() const {
    return content_->sizeHint().expandedTo(QWidget::sizeHint());
}
