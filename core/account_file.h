#pragma once

#include <QString>

namespace kf {

struct Session;

// The four access settings as the account file holds them, one a line.
struct AccountSettings {
    QString analyticsUrl;
    QString analyticsToken;
    QString xoviKey;
    QString seokicksKey;
};

// The account file of the data folder, relative to it.
inline const QString kAccountFile = QStringLiteral("accounts\\account.txt");

// The settings the account file holds; all empty without the file. File errors propagate.
AccountSettings readAccountSettings(const Session &session);

} // namespace kf
