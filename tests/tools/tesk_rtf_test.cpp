// The tesk-rtf command-line tool: what it prints, what it writes, and how it
// fails.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/rtf_reader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TESK_BIN_DIR "/tesk-rtf"), args);
    Run r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString fixture(const QString& name) { return tesk::test::dataPath(QStringLiteral("rtf/") + name); }

} // namespace

class TeskRtfToolTest : public QObject {
    Q_OBJECT
private slots:
    void json()
    {
        const Run r = tool({QStringLiteral("json"), fixture(QStringLiteral("libreoffice_writer.rtf"))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(r.out),
                 QJsonDocument::fromJson(tesk::test::readFile(fixture(QStringLiteral("libreoffice_writer.expected.json")))));
    }

    void text()
    {
        const Run r = tool({QStringLiteral("text"), fixture(QStringLiteral("richedit_style.rtf"))});
        QCOMPARE(r.exitCode, 0);
        const QJsonDocument want =
            QJsonDocument::fromJson(tesk::test::readFile(fixture(QStringLiteral("richedit_style.expected.json"))));
        QCOMPARE(r.out, want.object().value("text").toString().toUtf8());
        QVERIFY(r.out.endsWith("</body></html>\r\n"));
    }

    void plainTextInput()
    {
        tesk::test::TempSite site;
        const QString in = site.path(QStringLiteral("page.htm"));
        QVERIFY(tesk::test::writeFile(in, "<p>\n\xc3\xa9</p>\n"));
        const Run r = tool({QStringLiteral("text"), in});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("<p>\r\n\xc3\xa9</p>\r\n"));
    }

    void copyReadsBackTheSame()
    {
        tesk::test::TempSite site;
        const QString out = site.path(QStringLiteral("copy.rtf"));
        const Run r = tool({QStringLiteral("copy"), fixture(QStringLiteral("libreoffice_writer.rtf")), out});
        QCOMPARE(r.exitCode, 0);
        const QByteArray written = tesk::test::readFile(out);
        QVERIFY(written.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QCOMPARE(rtf::read(written),
                 rtf::read(tesk::test::readFile(fixture(QStringLiteral("libreoffice_writer.rtf")))));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing input") << QStringList{"text", "/nonexistent/x.rtf"} << 1 << "cannot read";
        QTest::newRow("missing output folder")
            << QStringList{"copy", fixture(QStringLiteral("richedit_style.rtf")), "/nonexistent/folder/out.rtf"}
            << 1 << "cannot write";
        QTest::newRow("no command") << QStringList{} << 2 << "usage";
        QTest::newRow("unknown command") << QStringList{"show", "x"} << 2 << "usage";
        QTest::newRow("missing argument") << QStringList{"copy", "x"} << 2 << "usage";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run r = tool(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(message), r.err.constData());
    }
};
TESK_TEST(TeskRtfToolTest)

#include "tesk_rtf_test.moc"
