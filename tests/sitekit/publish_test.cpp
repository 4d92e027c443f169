// Publishing a site: the plan on its own, then whole publishes to a folder
// and to a real OpenSSH server started for the test on a free port.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"
#include "sitekit/publish_run.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <functional>

using namespace tesk::test;
using namespace sitekit;

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(fs::parentFolder(path));
    QVERIFY(writeFile(path, bytes));
}

// A site of a picture, a style sheet, two pages and a source.
void makeSite(const QString& root)
{
    put(root + "Final-Pages/index.html", "<img src=Images/a.gif>");
    put(root + "Final-Pages/sub/b.htm", "<p>b");
    put(root + "Final-Pages/Images/a.gif", "GIF89a");
    put(root + "Final-Pages/style.css", "p{}");
    put(root + "Working-Pages/index.rtf", "{\\rtf1 x}");
}

QStringList filesBelow(const QString& folder)
{
    QStringList out;
    for (const fs::TreeEntry& e : fs::listTree(folder))
        if (e.kind == fs::TreeEntry::Kind::File)
            out << e.relative + "=" + QString::fromUtf8(readFile(folder + e.relative));
    return out;
}

bool keygen(const QString& file)
{
    return QProcess::execute("ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", file}) == 0;
}

// sshd for the current user, keys and known hosts in its own folder.
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
    void knowHost()
    {
        writeFile(knownHosts(), "[127.0.0.1]:" + QByteArray::number(port_) + " " + readFile(dir_.path() + "/host.pub"));
    }
    QString knownHosts() const { return dir_.path() + "/known_hosts"; }
    QString identity() const { return dir_.path() + "/user"; }
    QString url(const QString& path) const { return QStringLiteral("sftp://%1@127.0.0.1:%2%3").arg(qEnvironmentVariable("USER", "root")).arg(port_).arg(path); }
    QString whyNot() const { return why_; }

private:
    QTemporaryDir dir_;
    QProcess sshd_;
    int port_ = 0;
    QString why_;
};

} // namespace

class PublishTest : public QObject {
    Q_OBJECT
private slots:
    void plans_data()
    {
        QTest::addColumn<QString>("change");  // after the first publish
        QTest::addColumn<bool>("withSources");
        QTest::addColumn<bool>("deleteGone");
        QTest::addColumn<QStringList>("send");
        QTest::addColumn<QStringList>("remove");
        QTest::newRow("first: everything, pages last") << "" << false << false
            << QStringList{"Images/a.gif", "style.css", "index.html", "sub/b.htm"} << QStringList{};
        QTest::newRow("first, sources asked") << "" << true << false
            << QStringList{"Images/a.gif", "style.css", "Working-Pages/index.rtf", "index.html", "sub/b.htm"} << QStringList{};
        QTest::newRow("one page changed") << "edit sub/b.htm" << false << false << QStringList{"sub/b.htm"} << QStringList{};
        QTest::newRow("same size, other bytes") << "same size Images/a.gif" << false << false << QStringList{"Images/a.gif"} << QStringList{};
        QTest::newRow("only touched") << "touch index.html" << false << false << QStringList{} << QStringList{};
        QTest::newRow("deleted, not asked") << "delete Images/a.gif" << false << false << QStringList{} << QStringList{};
        QTest::newRow("deleted, asked") << "delete Images/a.gif" << false << true << QStringList{} << QStringList{"Images/a.gif"};
    }
    void plans()
    {
        QFETCH(QString, change);
        QFETCH(bool, withSources);
        QFETCH(bool, deleteGone);
        QFETCH(QStringList, send);
        QFETCH(QStringList, remove);
        TempSite site;
        const QString root = site.workingFolder();
        makeSite(root);
        PlanOptions options;
        options.withSources = withSources;
        options.deleteGone = deleteGone;
        Manifest last;
        if (!change.isEmpty()) {
            last = planPublish(root, {}, options).current;
            const QString file = root + "Final-Pages/" + change.section(' ', -1);
            QThread::msleep(20);  // a new modification time
            if (change.startsWith("edit"))
                put(file, "<p>changed");
            else if (change.startsWith("same size"))
                put(file, "GIF87a");
            else if (change.startsWith("touch"))
                put(file, readFile(file));
            else
                QVERIFY(QFile::remove(file));
        }
        const PublishPlan plan = planPublish(root, last, options);
        QStringList sent;
        for (const PublishItem& i : plan.send)
            sent << i.remote;
        QCOMPARE(sent, send);
        QCOMPARE(plan.remove, remove);
    }

    // The same steps to a folder and to a server: everything (a first try
    // stopped by a full disk or a dropped connection, finished by the
    // next), then only the changed page, then a deletion only when asked.
    void publishes_data()
    {
        QTest::addColumn<bool>("server");
        QTest::newRow("folder") << false;
        QTest::newRow("sftp") << true;
    }
    void publishes()
    {
        QFETCH(bool, server);
        TempSite site;
        const QString root = site.workingFolder(), out = site.path("out/");
        makeSite(root);
        std::unique_ptr<SshServer> ssh;
        Connection connection;
        QString to = out;
        if (server) {
            ssh = std::make_unique<SshServer>();
            if (!ssh->whyNot().isEmpty())
                QSKIP(qPrintable("no SSH server to publish to: " + ssh->whyNot()));
            ssh->knowHost();
            connection = {ssh->identity(), ssh->knownHosts(), {}};
            to = ssh->url(out);
        }
        QString why;
        const auto destination = parseDestination(to, &why);
        const QString manifestFile = manifestPath(to, site.path("data"));
        auto publish = [&](bool deleteGone, const PublishHooks& hooks = {}) {
            PlanOptions options;
            options.deleteGone = deleteGone;
            const Manifest last = readManifest(manifestFile);
            auto transport = openTransport(*destination, connection);
            return runPublish(planPublish(root, last, options), last, *transport, to, manifestFile, hooks);
        };
        PublishHooks cut;
        if (server)
            cut.done = [&](const QString& line) { if (line == "sent style.css") ssh->stop(); };
        fullDisk(server ? "" : "out/index.html");
        PublishResult r = publish(false, cut);
        fullDisk("");
        QVERIFY2(r.failure.startsWith("index.html: "), qPrintable(r.failure));
        QCOMPARE(r.sent, QStringList({"Images/a.gif", "style.css"}));
        if (server)
            ssh->start(false);
        r = publish(false);
        QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
        QCOMPARE(r.sent, QStringList({"index.html", "sub/b.htm"}));
        QCOMPARE(filesBelow(out), filesBelow(root + "Final-Pages/"));

        QThread::msleep(20);
        put(root + "Final-Pages/sub/b.htm", "<p>b, again");
        r = publish(false);
        QCOMPARE(r.sent, QStringList{"sub/b.htm"});
        QCOMPARE(filesBelow(out), filesBelow(root + "Final-Pages/"));

        QVERIFY(QFile::remove(root + "Final-Pages/style.css"));
        QVERIFY(publish(false).removed.isEmpty() && fs::fileExists(out + "style.css"));
        r = publish(true);
        QCOMPARE(r.removed, QStringList{"style.css"});
        QCOMPARE(filesBelow(out), filesBelow(root + "Final-Pages/"));
    }

    void hostKeys_data()
    {
        QTest::addColumn<QString>("known");  // the known_hosts file
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("loginRefused");  // a window may ask for a password
        QTest::newRow("unknown") << "none" << "is not a known host (its key is SHA256:" << false;
        QTest::newRow("changed") << "old key" << "has CHANGED (now SHA256:" << false;
        QTest::newRow("known, our key not taken") << "known, other key" << "refused the login" << true;
    }
    void hostKeys()
    {
        QFETCH(QString, known);
        QFETCH(QString, failure);
        QFETCH(bool, loginRefused);
        SshServer ssh;
        if (!ssh.whyNot().isEmpty())
            QSKIP(qPrintable("no SSH server to publish to: " + ssh.whyNot()));
        if (known == "old key") {
            ssh.knowHost();
            ssh.stop();
            ssh.start();
        }
        TempSite site;
        QString identity = ssh.identity();
        if (known == "known, other key") {
            ssh.knowHost();
            identity = site.path("other");
            QVERIFY(keygen(identity));
        }
        makeSite(site.workingFolder());
        const QString to = ssh.url(site.path("out"));
        QString why;
        const auto transport = openTransport(*parseDestination(to, &why), {identity, ssh.knownHosts(), {}});
        const PublishResult r = runPublish(planPublish(site.workingFolder(), {}), {}, *transport, to, {});
        QVERIFY2(r.failure.contains(failure), qPrintable(r.failure));
        QCOMPARE(r.loginRefused, loginRefused);
        QVERIFY(r.sent.isEmpty() && !fs::exists(site.path("out")));
    }
};

TESK_TEST(PublishTest)
#include "publish_test.moc"
