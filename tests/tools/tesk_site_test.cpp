// The tesk-site command line: what it prints and how it ends, on a small
// site made for each run.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

// Typed, when given, goes in at a terminal (script(1) makes one) once a
// password is asked for; the terminal shows what is printed, as out.
Run tool(const QStringList& args, const QByteArray& typed = {})
{
    // Manifests of publishes go to a data folder of the test's own.
    static QTemporaryDir data;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    p.setProcessEnvironment(env);
    if (typed.isEmpty())
        p.start(QStringLiteral(TESK_BIN_DIR "/tesk-site"), args);
    else
        p.start("script", {"-qec", (QStringList{TESK_BIN_DIR "/tesk-site"} + args).join(' '), "/dev/null"});
    QByteArray shown;
    while (!typed.isEmpty() && !shown.contains("Password for") && p.waitForReadyRead(10000))
        shown += p.readAllStandardOutput();
    p.write(typed);
    const bool ended = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, QString::fromUtf8(shown + p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(fs::parentFolder(path));
    QVERIFY(writeFile(path, bytes));
}

} // namespace

class TeskSiteToolTest : public QObject {
    Q_OBJECT
private slots:
    void runs_data()
    {
        QTest::addColumn<QByteArray>("about");  // Final-Pages/about.html; none when empty
        QTest::addColumn<QStringList>("args");   // SITE stands for the working folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");        // the first line printed
        QTest::newRow("clean site") << QByteArray("<a href=index.html>") << QStringList{"check", "SITE", "--only", "links"} << 0 << "";
        QTest::newRow("markup") << QByteArray("<!DOCTYPE html>\n<title>t</title>\n<p>x</b>") << QStringList{"check", "SITE", "--only", "html"}
                                << 1 << "Final-Pages/about.html:3:5: warning: discarding unexpected </b>";
        QTest::newRow("spelling") << QByteArray("<p>Helo world") << QStringList{"check", "SITE", "--only", "spelling,links"} << 1
                                  << "Final-Pages/about.html:1:4: spelling: Helo (suggestions: Help, Hel, Helot)";
        QTest::newRow("unknown check") << QByteArray() << QStringList{"check", "SITE", "--only", "links,grammar"} << 2 << "";
        QTest::newRow("broken link")
            << QByteArray("<p>\n<a href=index.html><a  href=\"gone.html\">") << QStringList{"check", "SITE"} << 1
            << "Final-Pages/about.html:2:30: gone.html: missing file";
        QTest::newRow("rename")
            << QByteArray("<p>") << QStringList{"rename", "SITE", "about.html", "us.html"} << 0
            << "rename SITE/Final-Pages/about.html -> SITE/Final-Pages/us.html";
        QTest::newRow("rename onto an existing name refused")
            << QByteArray("<p>") << QStringList{"rename", "SITE", "about.html", "index.html"} << 2 << "";
        QTest::newRow("rename of what is not there")
            << QByteArray() << QStringList{"rename", "SITE", "about.html", "us.html"} << 2 << "";
        QTest::newRow("search") << QByteArray("<p>\n <b>About") << QStringList{"search", "SITE", "ABOUT", "--case"} << 1 << "";
        QTest::newRow("search, word") << QByteArray("<p>\n <b>About") << QStringList{"search", "SITE", "About", "--word"}
                                      << 0 << "Final-Pages/about.html:2:5:  <b>About";
        QTest::newRow("search, bad expression") << QByteArray() << QStringList{"search", "SITE", "(", "--regex"} << 2 << "";
        QTest::newRow("publish to a folder") << QByteArray("<p>") << QStringList{"publish", "SITE", "SITE/out"} << 0 << "sent about.html";
        QTest::newRow("publish, dry run") << QByteArray("<p>") << QStringList{"publish", "SITE", "SITE/out", "--dry-run"} << 0 << "send about.html";
        QTest::newRow("publish, password given") << QByteArray() << QStringList{"publish", "SITE", "sftp://u:pw@h/p"} << 2 << "";
        QTest::newRow("publish, ftp password given") << QByteArray() << QStringList{"publish", "SITE", "ftp://u:pw@h/p"} << 2 << "";
        QTest::newRow("publish option elsewhere") << QByteArray() << QStringList{"check", "SITE", "--delete"} << 2 << "";
        QTest::newRow("no site") << QByteArray() << QStringList{"check", "/nonexistent/site"} << 2 << "";
        QTest::newRow("no command") << QByteArray() << QStringList{} << 2 << "";
        QTest::newRow("unknown option") << QByteArray() << QStringList{"check", "SITE", "--dry-run"} << 2 << "";
    }
    void runs()
    {
        QFETCH(QByteArray, about);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        TempSite site;
        const QString root = fs::withoutSeparator(site.workingFolder());
        put(root + "/Final-Pages/index.html", "<a href=\"about.html\">About</a>");
        if (!about.isEmpty())
            put(root + "/Final-Pages/about.html", about);
        for (QString& a : args)
            a.replace(QStringLiteral("SITE"), root);
        const Run r = tool(args);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.out.section(QLatin1Char('\n'), 0, 0), QString(out).replace(QStringLiteral("SITE"), root));
        if (exitCode == 2)
            QVERIFY(!r.err.isEmpty());
    }

    void dryRunChangesNothingAndJsonListsAll()
    {
        TempSite site;
        const QString root = site.workingFolder();
        put(root + "Final-Pages/index.html", "<a href=\"about.html\"><a href=\"http://example.org/\">");
        put(root + "Final-Pages/about.html", "<a href=\"index.html#nope\">");
        Run r = tool({"rename", root, "about.html", "us.html", "--dry-run"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("update Final-Pages/index.html (1 links)"));
        QCOMPARE(readFile(root + "Final-Pages/index.html"), QByteArray("<a href=\"about.html\"><a href=\"http://example.org/\">"));
        QVERIFY(fs::fileExists(root + "Final-Pages/about.html"));

        r = tool({"check", root, "--json"});
        QCOMPARE(r.exitCode, 1);
        const QJsonArray rows = QJsonDocument::fromJson(r.out.toUtf8()).object().value("findings").toArray();
        QStringList got;
        for (const QJsonValue& v : rows)
            got << v["group"].toString() + " " + v["link"].toString();
        QCOMPARE(got, QStringList({"broken index.html#nope", "external http://example.org/"}));
    }

    // To a real FTP server: the password typed at a terminal gets there and
    // is not shown, after a warning; with no terminal none is asked for.
    void ftpPasswordTyped()
    {
        TempSite site;
        const QString root = site.workingFolder();
        put(root + "Final-Pages/index.html", "<p>");
        QProcess server;
        server.start("/usr/bin/python3", {TESK_SOURCE_DIR "/tests/sitekit/ftp_server.py", "/", "tesk", "secret", "0"});
        if (!server.waitForReadyRead(10000))
            QSKIP("no FTP server (python3-pyftpdlib)");
        const QString to = QStringLiteral("ftp://tesk@127.0.0.1:%1%2out").arg(server.readLine().trimmed().toInt()).arg(root);
        Run r = tool({"publish", root, to});
        QVERIFY2(r.exitCode == 1 && r.err.contains("there is no terminal") && !fs::exists(root + "out"), qPrintable(r.err));
        r = tool({"publish", root, to}, "secret\n");
        QVERIFY2(r.exitCode == 0 && r.out.contains("the password and the files unencrypted") && r.out.contains("sent index.html")
                     && !r.out.contains("secret"), qPrintable(r.out));
        QCOMPARE(readFile(root + "out/index.html"), QByteArray("<p>"));
        server.kill(), server.waitForFinished();
    }
};

TESK_TEST(TeskSiteToolTest)
#include "tesk_site_test.moc"
