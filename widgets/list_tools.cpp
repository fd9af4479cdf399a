#include "widgets/list_tools.h"

#include <QComboBox>
#include <QListWidget>
#include <QSet>
#include <QSignalBlocker>
#include <vector>

namespace kf {

namespace {

// Indices of the items whose text already occurred before them, in ascending order.
template <class TextAt> std::vector<int> laterDuplicates(int count, TextAt textAt) {
    std::vector<int> out;
    QSet<QString> seen;
    seen.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString text = textAt(i);
        if (seen.contains(text))
            out.push_back(i);
        else
            seen.insert(text);
    }
    return out;
}

} // namespace

void RemoveDuplicates(QListWidget *list) {
    if (!list || list->count() < 2)
        return;
    const auto doomed =
        laterDuplicates(list->count(), [list](int i) { return list->item(i)->text(); });
    if (doomed.empty())
        return;
    const bool updates = list->updatesEnabled();
    list->setUpdatesEnabled(false);
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        delete list->takeItem(*it);
    list->setUpdatesEnabled(updates);
}

void RemoveDuplicates(QComboBox *combo) {
    if (!combo || combo->count() < 2)
        return;
    const auto doomed =
        laterDuplicates(combo->count(), [combo](int i) { return combo->itemText(i); });
    if (doomed.empty())
        return;
    const QString editText = combo->currentText();
    const int current = combo->currentIndex();
    const QString currentItem = current >= 0 ? combo->itemText(current) : QString();

    const QSignalBlocker quiet(combo);
    const bool updates = combo->updatesEnabled();
    combo->setUpdatesEnabled(false);
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        combo->removeItem(*it);
    if (current >= 0)
        combo->setCurrentIndex(
            combo->findText(currentItem, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (combo->isEditable() && combo->currentText() != editText)
        combo->setEditText(editText);
    combo->setUpdatesEnabled(updates);
}

} // namespace kf
