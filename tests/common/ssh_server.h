#pragma once
// A real OpenSSH server for the current user on a free port of 127.0.0.1,
// its host key, the user's key and a known_hosts file in a folder of its own.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace tesk::test {

bool keygen(const QString& file);

class SshServer {
public:
    SshServer();
    ~SshServer() { stop(); }
    // A new host key makes the known one a changed one.
    void start(bool newKey = true);
    // The sessions too: their connections drop.
    void stop();
    // Writes the server's key into knownHosts() as ssh would.
    void knowHost(const QString& file = QString());
    QString hostKeyLine() const;  // "[127.0.0.1]:PORT type base64"
    QString fingerprint() const;  // of the host key, as ssh-keygen shows it
    QString knownHosts() const { return dir_.path() + "/known_hosts"; }
    QString identity() const { return dir_.path() + "/user"; }
    QString url(const QString& path) const;
    QString whyNot() const { return why_; }

private:
    QTemporaryDir dir_;  // named without spaces: sshd_config cannot quote them
    QProcess sshd_;
    int port_ = 0;
    QString why_;
};

} // namespace tesk::test
