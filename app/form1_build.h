#pragma once

// Small makers for the designed controls: each gets its layout name as objectName.

#include "widgets/wheel_guard.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

namespace kf::layout {

inline QLabel *label(const char *name, const QString &caption, QWidget *parent) {
    auto *w = new QLabel(caption, parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

inline QLineEdit *edit(const char *name, const QString &text, QWidget *parent) {
    auto *w = new QLineEdit(text, parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

inline QPushButton *button(const char *name, const QString &caption, QWidget *parent) {
    auto *w = new QPushButton(caption, parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setAutoDefault(false);
    return w;
}

inline QRadioButton *radio(const char *name, const QString &caption, QWidget *parent) {
    auto *w = new QRadioButton(caption, parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// An editable combo whose edit text is the designed text, whatever its items are. Return never
// adds the typed text as an item.
inline QComboBox *combo(const char *name, const QStringList &items, const QString &text,
                        QWidget *parent) {
    auto *w = new QComboBox(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setEditable(true);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setCompleter(nullptr); // the text stays exactly what was typed
    w->addItems(items);
    w->setEditText(text);
    kf::wheelOnlyWhenFocused(w);
    return w;
}

inline QListWidget *list(const char *name, bool multiSelect, QWidget *parent) {
    auto *w = new QListWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
    return w;
}

} // namespace kf::layout
