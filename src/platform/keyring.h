#pragma once
// Passwords kept in the desktop's keyring (the Secret Service of GNOME
// Keyring or KWallet, through libsecret), never in a file of ours. Nothing
// here needs a window: a keyring that wants to be unlocked shows its own.

#include <QString>

#include <optional>

namespace keyring {

// One login on one server.
struct Account {
    QString protocol;  // "sftp", "ftp", "ftps"
    QString user, host;
    int port = 0;
};

// "" when a keyring answers; otherwise why none can keep a password here
// (no desktop session, no keyring service running).
QString unavailable();

// The password kept for the account; nullopt when none is (why says so when
// the keyring failed rather than held nothing).
std::optional<QString> lookup(const Account& account, QString* why = nullptr);
// Each returns "" or why not.
QString store(const Account& account, const QString& password);
QString forget(const Account& account);

} // namespace keyring
