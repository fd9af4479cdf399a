#pragma once

namespace kf {

// The program's one reverse-DNS id: its desktop entry, icon and AppStream metadata carry it,
// and Qt hands it to the desktop so the window gets the installed icon.
inline constexpr char kDesktopId[] = "de.kelvaro.Fennwick";

// The application name, and with it the name of the user's data folder of an installed program.
inline constexpr char kApplicationName[] = "kelvaro";

} // namespace kf
