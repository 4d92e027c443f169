// Publishing a site: the plan on its own, then whole publishes to a folder,
// to a real OpenSSH server and to a real FTP server (pyftpdlib), each
// started for the test on a free port.

#include "tesk_test.h"
#include "logic_support.h"
#include "ssh_server.h"

#include "platform/file_system.h"
#include "sitekit/publish_run.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

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

// pyftpdlib, its user's root the whole disk so that the test's paths are
// the same there; "tls" asks for TLS with a certificate made for 127.0.0.1,
// "no-replace" refuses a rename onto an existing file.
class FtpServer {
public:
    explicit FtpServer(const QString& options)
    {
        args_ = QStringList{TESK_SOURCE_DIR "/tests/sitekit/ftp_server.py", "/", "tesk", "secret", "0"};
        if (options.contains("tls"))
            args_ << "--tls" << caFile() << dir_.path() + "/key.pem";
        if (options.contains("no-replace"))
            args_ << "--no-replace";
        if (options.contains("tls"))  // without it the server does not start
            QProcess::execute("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes", "-subj",
                "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", dir_.path() + "/key.pem", "-out", caFile()});
        start();
    }
    ~FtpServer() { stop(); }
    void start()
    {
        server_.start("/usr/bin/python3", args_);
        if (!server_.waitForReadyRead(10000))
            why_ = "python3-pyftpdlib did not start: " + QString::fromUtf8(server_.readAllStandardError());
        args_[4] = server_.readLine().trimmed();  // the same port when started again
    }
    void stop() { server_.kill(), server_.waitForFinished(); }
    QString url(const QString& scheme, const QString& path) const { return QStringLiteral("%1://tesk@127.0.0.1:%2%3").arg(scheme, args_[4], path); }
    QString caFile() const { return dir_.path() + "/cert.pem"; }
    QString whyNot() const { return why_; }

private:
    QTemporaryDir dir_;
    QProcess server_;
    QStringList args_;
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

    // The same steps to a folder and to servers: everything (a first try
    // stopped at index.html by a full disk or a dropped connection, finished
    // by the next), then only the changed page, then a deletion only when asked.
    void publishes_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("failure");  // of the first try
        const QString lost = "index.html: (cannot connect|the connection to 127.0.0.1 was lost)";
        QTest::newRow("folder, disk full") << "folder" << "index.html: the disk is full";
        QTest::newRow("sftp, dropped") << "sftp" << lost;
        QTest::newRow("sftp, disk full") << "sftp full" << "index.html: the server's disk is full";
        QTest::newRow("ftp, dropped") << "ftp" << lost;
        QTest::newRow("ftp, disk full") << "ftp full" << "index.html: the server broke off the file and could not store it; its disk may be full";
        QTest::newRow("ftps, dropped") << "ftps tls" << lost;
        QTest::newRow("ftp, no rename onto a file") << "ftp no-replace" << lost;
    }
    void publishes()
    {
        QFETCH(QString, server);
        QFETCH(QString, failure);
        TempSite site;
        const QString root = site.workingFolder(), out = site.path("out/");
        makeSite(root);
        std::unique_ptr<SshServer> ssh;
        std::unique_ptr<FtpServer> ftp;
        std::unique_ptr<FullFileSystem> full;
        Connection connection;
        QString to = out;
        if (server.startsWith("sftp")) {
            ssh = std::make_unique<SshServer>();
            if (!ssh->whyNot().isEmpty())
                QSKIP(qPrintable("no SSH server to publish to: " + ssh->whyNot()));
            ssh->knowHost();
            connection = {ssh->identity(), ssh->knownHosts(), {}};
            to = ssh->url(out);
        } else if (server.startsWith("ftp")) {
            ftp = std::make_unique<FtpServer>(server);
            if (!ftp->whyNot().isEmpty())
                QSKIP(qPrintable("no FTP server to publish to: " + ftp->whyNot()));
            connection = {{}, {}, "secret", ftp->caFile()};
            to = ftp->url(server.section(' ', 0, 0), out);
        }
        PublishHooks cut;
        if (server.endsWith("full")) {
            QDir().mkpath(out);
            full = std::make_unique<FullFileSystem>(out);
            if (!full->whyNot().isEmpty())
                QSKIP(qPrintable(full->whyNot()));
            if (ftp)  // pyftpdlib never answers when a file small enough for its buffer cannot be written
                put(root + "Final-Pages/index.html", QByteArray(40000, 'x'));
            // Room for the picture and the style sheet, a page each.
            QFile filler(out + FullFileSystem::Filler);
            QVERIFY(filler.resize(filler.size() - 8192));
        } else if (server != "folder") {
            cut.done = [&](const QString& line) {
                if (line == "sent style.css")
                    ssh ? ssh->stop() : ftp->stop();
            };
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
        fullDisk(server == "folder" ? "out/index.html" : "");
        PublishResult r = publish(false, cut);
        fullDisk("");
        QVERIFY2(QRegularExpression("^" + failure).match(r.failure).hasMatch(), qPrintable(r.failure));
        QCOMPARE(r.sent, QStringList({"Images/a.gif", "style.css"}));
        QStringList arrived = readManifest(manifestFile).keys();
        arrived.sort();
        QCOMPARE(arrived, r.sent);
        QVERIFY(filesBelow(out).filter(".tesk-").isEmpty());
        if (full)
            QVERIFY(QFile::remove(out + FullFileSystem::Filler));
        else if (ssh)
            ssh->start(false);
        else if (ftp)
            ftp->start();
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

    void ftpRefusals_data()
    {
        QTest::addColumn<QString>("server");  // the scheme, "tls" when the server has it, "untrusted" unless its CA is named
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("loginRefused");
        QTest::newRow("wrong password") << "ftp" << "guess" << "refused the login: wrong user name or password" << true;
        QTest::newRow("no password") << "ftps tls" << "" << "needs a password" << true;
        QTest::newRow("certificate not trusted") << "ftps tls untrusted" << "secret" << "could not be verified" << false;
        QTest::newRow("no TLS on the server") << "ftps" << "secret" << "offers no encryption (TLS)" << false;
    }
    void ftpRefusals()
    {
        QFETCH(QString, server);
        QFETCH(QString, password);
        QFETCH(QString, failure);
        QFETCH(bool, loginRefused);
        FtpServer ftp(server);
        if (!ftp.whyNot().isEmpty())
            QSKIP(qPrintable("no FTP server to publish to: " + ftp.whyNot()));
        TempSite site;
        makeSite(site.workingFolder());
        const QString to = ftp.url(server.section(' ', 0, 0), site.path("out"));
        QString why;
        const auto transport = openTransport(*parseDestination(to, &why), {{}, {}, password, server.contains("untrusted") ? QString() : ftp.caFile()});
        const PublishResult r = runPublish(planPublish(site.workingFolder(), {}), {}, *transport, to, {});
        QVERIFY2(r.failure.startsWith("Images/a.gif: ") && r.failure.contains(failure), qPrintable(r.failure));
        QCOMPARE(r.loginRefused, loginRefused);
        QVERIFY(r.sent.isEmpty() && !fs::exists(site.path("out")));
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
