// Text files as every reader sees them: each character kept whatever mix of
// encodings the file holds; only regular files of a sane size are read; a
// save keeps the file's permissions and links and never replaces a file
// without its owner-write bit.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/file_system.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace tesk::test;

class TextFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString p(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

private Q_SLOTS:
    void everyCharacterKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        auto u = [](const char16_t* s) { return QString::fromUtf16(s); };
        QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80") << u(u"caf\u00e9 \u20ac \U0001F600");
        QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80 \x93q\x94") << u(u"caf\u00e9 \u20ac \u201cq\u201d");
        QTest::newRow("UTF-8 with one stray byte") << QByteArray("\xc3\xa9t\xe9 \xe2\x82\xac") << u(u"\u00e9t\u00e9 \u20ac");
        QTest::newRow("old list, UTF-8 line appended") << QByteArray("caf\xe9\r\n\xc3\xbc\r\n") << u(u"caf\u00e9\r\n\u00fc\r\n");
        QTest::newRow("sequence cut short at the end") << QByteArray("\xc3\xa9\xe2\x82") << u(u"\u00e9\u00e2\u201a");
        QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf\xc3\xa9") << u(u"\u00e9");
        QTest::newRow("overlong form and surrogate are bytes") << QByteArray("\xc0\xaf\xed\xa0\x80")
                                                               << u(u"\u00c0\u00af\u00ed\u00a0\u20ac");
    }
    void everyCharacterKept()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeFile(p("t.txt"), bytes));
        QString text;
        QCOMPARE(fs::readText(p("t.txt"), text), fs::Result::Ok);
        QTEST(text, "text");
    }

    // A pipe would block the reader forever and /dev/zero never ends; a
    // file past the limit is refused before a byte is read.
    void onlyRegularFilesOfSaneSize()
    {
        QVERIFY(mkfifo(p("fifo.lst").toLocal8Bit().constData(), 0600) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), p("zero.lst")));
        QFile big(p("big.lst"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(fs::kMaxReadBytes + 1));
        big.close();
        QStringList lines{QStringLiteral("left alone")};
        for (const char* name : {"fifo.lst", "zero.lst"})
            QCOMPARE(fs::readLines(p(QLatin1String(name)), lines), fs::Result::NotRegularFile);
        QCOMPARE(fs::readLines(p("big.lst"), lines), fs::Result::TooLarge);
        QVERIFY(lines.isEmpty());
        QVERIFY(!fs::describe(fs::Result::TooLarge).isEmpty());
    }

    // The user's choices on the file survive a save: its mode, and a link
    // stays a link with the file it points to updated. No owner-write bit:
    // not replaced, whoever runs the program.
    void savesKeepModeAndLinks()
    {
        const QByteArray mine = p("private.html").toLocal8Bit();
        QVERIFY(writeFile(p("private.html"), "old") && chmod(mine.constData(), 0600) == 0);
        QCOMPARE(fs::writeText(p("private.html"), QStringLiteral("new")), fs::Result::Ok);
        struct stat st {};
        QVERIFY(stat(mine.constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
        QVERIFY(QDir().mkdir(p("shared")) && writeFile(p("shared/target.html"), "old"));
        QVERIFY(QFile::link(p("shared/target.html"), p("link.html")));
        QCOMPARE(fs::writeText(p("link.html"), QStringLiteral("new")), fs::Result::Ok);
        QCOMPARE(QFileInfo(p("link.html")).symLinkTarget(), p("shared/target.html"));
        QCOMPARE(readFile(p("shared/target.html")), QByteArray("new"));
        for (const char* locked : {"shared/target.html", "shared"}) {
            setReadOnly(p(QLatin1String(locked)), true);
            QCOMPARE(fs::writeText(p("link.html"), QStringLiteral("lost")), fs::Result::PermissionDenied);
            setReadOnly(p(QLatin1String(locked)), false);
        }
        QCOMPARE(readFile(p("shared/target.html")), QByteArray("new"));
    }
};
TESK_TEST(TextFilesTest)

#include "text_files_test.moc"
