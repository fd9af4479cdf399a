#pragma once

class QComboBox;
class QListWidget;

namespace kf {

// Removes later items whose text equals an earlier one (letter case counts), repainting the
// list once afterwards instead of once per removed item.
void RemoveDuplicates(QListWidget *list);
// The same for a combo box; its edit text and the text of its current item stay as they were,
// and the removal raises no change signals of the combo.
void RemoveDuplicates(QComboBox *combo);

} // namespace kf
