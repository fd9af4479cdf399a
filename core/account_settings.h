#pragma once

namespace kf {

struct Workspace;

// The four access settings travel through speich: its lines are what the account file holds.
void saveAccountSettings(Workspace &ws); // "Speichern"; file errors propagate
void loadAccountSettings(Workspace &ws); // start-up, when the account file exists

} // namespace kf
