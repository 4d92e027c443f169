// Publishing a site: the plan on its own, then whole publishes to a folder
// and to a real OpenSSH server started for the test on a free port.

#include "tesk_test.h"
#include "logic_support.h"
#include "ssh_server.h"

#include "platform/file_system.h"
#include "sitekit/publish_run.h"

#include <QDir>
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
