#include "ssh_server.h"

#include "logic_support.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <functional>

namespace tesk::test {

bool keygen(const QString& file)
{
    return QProcess::execute("ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", file}) == 0;
}

SshServer::SshServer() : dir_(QDir::tempPath() + "/tesk-ssh-XXXXXX")
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

void SshServer::start(bool newKey)
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

void SshServer::stop()
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

QString SshServer::hostKeyLine() const
{
    // The public key file ends in a comment: ssh's own lines hold type and key.
    const QStringList parts = QString::fromUtf8(readFile(dir_.path() + "/host.pub")).split(' ');
    return QStringLiteral("[127.0.0.1]:%1 %2 %3").arg(port_).arg(parts.value(0), parts.value(1));
}

void SshServer::knowHost(const QString& file)
{
    writeFile(file.isEmpty() ? knownHosts() : file, hostKeyLine().toUtf8() + "\n");
}

QString SshServer::fingerprint() const
{
    QProcess p;
    p.start("ssh-keygen", {"-l", "-E", "sha256", "-f", dir_.path() + "/host.pub"});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).section(' ', 1, 1);
}

QString SshServer::url(const QString& path) const
{
    return QStringLiteral("sftp://%1@127.0.0.1:%2%3").arg(qEnvironmentVariable("USER", "root")).arg(port_).arg(QString::fromUtf8(QUrl::toPercentEncoding(path, "/")));
}

} // namespace tesk::test
