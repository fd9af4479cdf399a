#include "widgets/secret_field.h"

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kf {

namespace {

// An eye, struck through while the text is hidden.
QIcon eyeIcon(bool struck, const QColor &ink) {
    constexpr int kSize = 32;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 2.5));
    QPainterPath lid;
    lid.moveTo(3, 16);
    lid.quadTo(16, 3, 29, 16);
    lid.quadTo(16, 29, 3, 16);
    painter.drawPath(lid);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(16, 16), 4.5, 4.5);
    if (struck)
        painter.drawLine(QPointF(6, 27), QPointF(26, 5));
    return QIcon(pixmap);
}

} // namespace

QAction *maskSecret(QLineEdit *field) {
    field->setEchoMode(QLineEdit::Password);
    const QColor ink = field->palette().color(QPalette::Text);
    auto *show = field->addAction(eyeIcon(true, ink), QLineEdit::TrailingPosition);
    show->setObjectName(field->objectName() + QStringLiteral("Anzeigen"));
    show->setCheckable(true);
    show->setToolTip(QStringLiteral("Schlüssel anzeigen"));
    QObject::connect(show, &QAction::toggled, field, [field, show, ink](bool shown) {
        field->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        show->setIcon(eyeIcon(!shown, ink));
        show->setToolTip(shown ? QStringLiteral("Schlüssel verbergen")
                               : QStringLiteral("Schlüssel anzeigen"));
    });
    return show;
}

} // namespace kf
