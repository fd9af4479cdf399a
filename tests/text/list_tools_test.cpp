#include "widgets/list_tools.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>

namespace {

QStringList itemsOf(const QListWidget &list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

QStringList itemsOf(const QComboBox &combo) {
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

} // namespace

TEST(ListTools, ListWidgetKeepsFirstOccurrences) {
    QListWidget list;
    list.addItems({"a", "b", "a", "A", "b"});
    kf::RemoveDuplicates(&list);
    EXPECT_EQ(itemsOf(list), QStringList({"a", "b", "A"}));
    EXPECT_TRUE(list.updatesEnabled());
}

TEST(ListTools, ComboKeepsItsEditTextAndStaysQuiet) {
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"x.de", "y.de", "x.de", "z.de", "y.de"});
    combo.setCurrentIndex(4); // a duplicate that goes
    combo.setEditText(QStringLiteral("typed"));
    QSignalSpy indexChanges(&combo, &QComboBox::currentIndexChanged);
    QSignalSpy textChanges(&combo, &QComboBox::editTextChanged);
    kf::RemoveDuplicates(&combo);
    EXPECT_EQ(itemsOf(combo), QStringList({"x.de", "y.de", "z.de"}));
    EXPECT_EQ(combo.currentText(), QStringLiteral("typed"));
    EXPECT_EQ(indexChanges.count(), 0);
    EXPECT_EQ(textChanges.count(), 0);

    QComboBox fixed;
    fixed.addItems({"a", "b", "b"});
    fixed.setCurrentIndex(2);
    kf::RemoveDuplicates(&fixed);
    EXPECT_EQ(itemsOf(fixed), QStringList({"a", "b"}));
    EXPECT_EQ(fixed.currentText(), QStringLiteral("b"));
}
