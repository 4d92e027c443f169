#pragma once
// A real OpenSSH server for the current user on a free port of 127.0.0.1,
// its host key, the user's key and a known_hosts file in a folder of its own.

#include "logic_support.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <functional>

namespace tesk::test {

inline bool keygen(const QString& file)
{
    return QProcess::execute("ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", file}) == 0;
}

class SshServer {
public:
    SshServer()
    {
        QDir().mkpath("/run/sshd");  // sshd's privilege separation folder
        const QString d = dir_.path() + "/";
        if (!QFile::exists("/usr/sbin/sshd") || !keygen(d + "user")) {
            why_ = "no /usr/sbin/sshd or ssh-keygen (openssh-server, openssh-client)";
            return;
        }
        QTcpServer probe;  // a free port, given back just before sshd takes it
        probe.listen(QHostAddress::LocalHost);
        port_ = probe.serverPort();
        probe.close();
        writeFile(d + "sshd_config", QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2host\nAuthorizedKeysFile %2user.pub\n"
                                                    "PidFile %2sshd.pid\nStrictModes no\nUsePAM no\nPermitRootLogin yes\n"
                                                    "Subsystem sftp internal-sftp\n").arg(port_).arg(d).toUtf8());
        start();
    }
    ~SshServer() { stop(); }
    // A new host key makes the known one a changed one.
    void start(bool newKey = true)
    {
        const QString d = dir_.path() + "/";
        if (newKey)
            QFile::remove(d + "host"), QFile::remove(d + "host.pub"), keygen(d + "host");
        sshd_.start("/usr/sbin/sshd", {"-D", "-e", "-f", d + "sshd_config"});
        sshd_.waitForStarted(5000);
        for (int i = 0; i < 100 && sshd_.state() == QProcess::Running; ++i, QThread::msleep(50)) {
            QTcpSocket s;
            if (s.connectToHost(QHostAddress::LocalHost, quint16(port_)), s.waitForConnected(100))
                return;
        }
        why_ = "sshd did not start: " + QString::fromUtf8(sshd_.readAllStandardError());
    }
    // The sessions too: their connections drop.
    void stop()
    {
        std::function<void(qint64)> killBelow = [&](qint64 pid) {
            for (const QByteArray& child : readFile(QStringLiteral("/proc/%1/task/%1/children").arg(pid)).split(' '))
                if (child.toLongLong() > 0)
                    killBelow(child.toLongLong()), ::kill(pid_t(child.toLongLong()), SIGKILL);
        };
        killBelow(sshd_.processId());
        sshd_.terminate();
        sshd_.waitForFinished(5000);
    }
    // The line ssh itself would keep for the server (the key file ends in a comment).
    QString hostKeyLine() const
    {
        return QStringLiteral("[127.0.0.1]:%1 ").arg(port_) + QString::fromUtf8(readFile(dir_.path() + "/host.pub")).section(' ', 0, 1);
    }
    void knowHost(const QString& file = QString()) { writeFile(file.isEmpty() ? knownHosts() : file, hostKeyLine().toUtf8() + "\n"); }
    // Of the host key, as ssh-keygen shows it.
    QString fingerprint() const
    {
        QProcess p;
        p.start("ssh-keygen", {"-l", "-E", "sha256", "-f", dir_.path() + "/host.pub"});
        return p.waitForFinished(10000) ? QString::fromUtf8(p.readAllStandardOutput()).section(' ', 1, 1) : QString();
    }
    QString knownHosts() const { return dir_.path() + "/known_hosts"; }
    QString identity() const { return dir_.path() + "/user"; }
    QString url(const QString& path) const
    {
        return QStringLiteral("sftp://%1@127.0.0.1:%2").arg(qEnvironmentVariable("USER", "root")).arg(port_)
             + QString::fromUtf8(QUrl::toPercentEncoding(path, "/"));
    }
    QString whyNot() const { return why_; }

private:
    QTemporaryDir dir_{QDir::tempPath() + "/tesk-ssh-XXXXXX"};  // no spaces: sshd_config cannot quote them
    QProcess sshd_;
    int port_ = 0;
    QString why_;
};

} // namespace tesk::test
