#pragma once

class QAction;
class QLineEdit;

namespace kf {

// Shows a token or key as dots, with an eye at the field's end that shows it in clear while it
// is pressed in (tool-tip "Schlüssel anzeigen" / "Schlüssel verbergen"). The action is named
// after the field: "<field>Anzeigen".
QAction *maskSecret(QLineEdit *field);

} // namespace kf
