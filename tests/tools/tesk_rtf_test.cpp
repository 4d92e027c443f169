// The tesk-rtf command-line tool: what it prints, what it writes, and how it
// fails.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/rtf_reader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using tesk::test::readFile;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run tool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TESK_BIN_DIR "/tesk-rtf"), args);
    const bool ended = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
}

QString fixture(const char* name) { return tesk::test::dataPath(QStringLiteral("rtf/") + QLatin1String(name)); }

} // namespace

class TeskRtfToolTest : public QObject {
    Q_OBJECT
private slots:
    // The text the editor would hold (UTF-8, CR LF breaks) of a source file
    // and of a plain page file, and a source file as JSON.
    void prints()
    {
        Run r = tool({QStringLiteral("json"), fixture("libreoffice_writer.rtf")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(r.out), QJsonDocument::fromJson(readFile(fixture("libreoffice_writer.expected.json"))));
        r = tool({QStringLiteral("text"), fixture("richedit_style.rtf")});
        QCOMPARE(r.exitCode, 0);
        const QJsonDocument want = QJsonDocument::fromJson(readFile(fixture("richedit_style.expected.json")));
        QCOMPARE(r.out, want.object().value("text").toString().toUtf8());
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("page.htm"));
        QVERIFY(tesk::test::writeFile(page, "<p>\n\xc3\xa9</p>\n"));
        r = tool({QStringLiteral("text"), page});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("<p>\r\n\xc3\xa9</p>\r\n"));
    }

    void copyReadsBackTheSame()
    {
        tesk::test::TempSite site;
        const QString out = site.path(QStringLiteral("copy.rtf"));
        QCOMPARE(tool({QStringLiteral("copy"), fixture("libreoffice_writer.rtf"), out}).exitCode, 0);
        const QByteArray written = readFile(out);
        QVERIFY(written.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QCOMPARE(rtf::read(written), rtf::read(readFile(fixture("libreoffice_writer.rtf"))));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing input") << QStringList{"text", "/nonexistent/x.rtf"} << 1 << "cannot read";
        QTest::newRow("missing output folder")
            << QStringList{"copy", fixture("richedit_style.rtf"), "/nonexistent/folder/out.rtf"} << 1 << "cannot write";
        QTest::newRow("a picture is no source")
            << QStringList{"json", tesk::test::dataPath("fuzz/text/png.bin")} << 1 << "it is not a text file";
        QTest::newRow("no command") << QStringList{} << 2 << "usage";
        QTest::newRow("unknown command") << QStringList{"show", "x"} << 2 << "usage";
        QTest::newRow("missing argument") << QStringList{"copy", "x"} << 2 << "usage";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = tool(args);
        QTEST(r.exitCode, "exitCode");
        QVERIFY(r.out.isEmpty());
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(message), r.err.constData());
    }
};
TESK_TEST(TeskRtfToolTest)

#include "tesk_rtf_test.moc"
