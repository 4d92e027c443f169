// The file service: encodings, line ends, atomic replacement, and the
// read-only / missing-folder distinction callers react to.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tesk::test;

class FileSystemTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString p(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    QString readBack(const QString& name) const
    {
        QString text;
        return fs::readText(p(name), text) == fs::Result::Ok ? text : QStringLiteral("<not read>");
    }

private Q_SLOTS:
    void paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("base");
        QTest::newRow("file") << "/a/b/news.php.rtf" << "news.php.rtf" << "/a/b" << "rtf" << "news.php";
        QTest::newRow("folder with separator") << "/a/b/" << "b" << "/a" << "" << "b";
        QTest::newRow("root child") << "/a" << "a" << "/" << "" << "a";
        QTest::newRow("drive") << "C:\\Sites\\x.RTF" << "x.RTF" << "C:\\Sites" << "RTF" << "x";
        QTest::newRow("drive root child") << "C:/x" << "x" << "C:/" << "" << "x";
    }
    void paths()
    {
        QFETCH(QString, path);
        QTEST(fs::fileName(path), "name");
        QTEST(fs::parentFolder(path), "parent");
        QTEST(fs::extension(path), "ext");
        QTEST(fs::baseName(path), "base");
    }

    void separators()
    {
        QCOMPARE(fs::withSeparator(QStringLiteral("/a")), QStringLiteral("/a/"));
        QCOMPARE(fs::withSeparator(QStringLiteral("/a/")), QStringLiteral("/a/"));
        QCOMPARE(fs::withSeparator(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(fs::withSeparator(QString()), QString());
        QCOMPARE(fs::withoutSeparator(QStringLiteral("/a/b//")), QStringLiteral("/a/b"));
        QCOMPARE(fs::withoutSeparator(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(fs::withoutSeparator(QStringLiteral("C:/")), QStringLiteral("C:/"));
    }

    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("no final break") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n" << QStringList{"", "", "x"};
        QTest::newRow("bare lf and cr") << "a\nb\rc" << QStringList{"a", "b", "c"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("one break") << "\r\n" << QStringList{""};
    }
    void lines()
    {
        QFETCH(QString, text);
        QTEST(fs::splitLines(text), "lines");
    }

    void textIsWrittenAsUtf8AndLegacyTextIsRead()
    {
        const QString text = QStringLiteral("caf\u00e9 \u20ac \u4e2d\r\n");
        QCOMPARE(fs::writeText(p("u.txt"), text), fs::Result::Ok);
        QCOMPARE(readFile(p("u.txt")), text.toUtf8());  // no byte-order mark
        QCOMPARE(readBack("u.txt"), text);
        // Single-byte files of the old code page, including its 0x80-0x9F range.
        writeFile(p("w.txt"), QByteArray("caf\xe9 \x80 \x93quoted\x94 \x9f"));
        QCOMPARE(readBack("w.txt"), QStringLiteral("caf\u00e9 \u20ac \u201cquoted\u201d \u0178"));
        // A byte-order mark written by another editor is not part of the text.
        writeFile(p("bom.txt"), QByteArray("\xEF\xBB\xBFhello"));
        QCOMPARE(readBack("bom.txt"), QStringLiteral("hello"));
    }

    void failuresAreTold()
    {
        QString out;
        QCOMPARE(fs::readText(p("missing.txt"), out), fs::Result::NotFound);
        QCOMPARE(fs::readText(p("nofolder/x.txt"), out), fs::Result::PathNotFound);
        QCOMPARE(fs::writeText(p("nofolder/x.txt"), QStringLiteral("x")), fs::Result::PathNotFound);

        fs::writeText(p("ro.txt"), QStringLiteral("keep"));
        setReadOnly(p("ro.txt"), true);
        QCOMPARE(fs::writeText(p("ro.txt"), QStringLiteral("lost")), fs::Result::PermissionDenied);
        QCOMPARE(fs::appendLine(p("ro.txt"), QStringLiteral("lost")), fs::Result::PermissionDenied);
        QVERIFY(fs::isReadOnly(p("ro.txt")));
        QCOMPARE(readFile(p("ro.txt")), QByteArray("keep"));
        // A read-only file can still be deleted on purpose.
        QCOMPARE(fs::deleteFile(p("ro.txt")), fs::Result::Ok);
        QVERIFY(!fs::exists(p("ro.txt")));
    }

    void readOnlyFolderKeepsItsFiles()
    {
        QDir(dir_.path()).mkdir(QStringLiteral("locked"));
        fs::writeText(p("locked/a.txt"), QStringLiteral("old"));
        setReadOnly(p("locked"), true);
        QCOMPARE(fs::writeText(p("locked/a.txt"), QStringLiteral("new")), fs::Result::PermissionDenied);
        QCOMPARE(fs::writeText(p("locked/b.txt"), QStringLiteral("new")), fs::Result::PermissionDenied);
        QCOMPARE(fs::makeFolder(p("locked/sub")), fs::Result::PermissionDenied);
        setReadOnly(p("locked"), false);
        QCOMPARE(readFile(p("locked/a.txt")), QByteArray("old"));
        QCOMPARE(QDir(p("locked")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"a.txt"});  // no temporary left behind
    }

    void appendCopyAndRename()
    {
        QCOMPARE(fs::appendLine(p("list.lst"), QStringLiteral("one")), fs::Result::Ok);
        QCOMPARE(fs::appendLine(p("list.lst"), QStringLiteral("two")), fs::Result::Ok);
        QCOMPARE(readFile(p("list.lst")), QByteArray("one\r\ntwo\r\n"));
        fs::writeText(p("src.gif"), QStringLiteral("GIF89a"));
        QCOMPARE(fs::copyFile(p("src.gif"), p("dst.gif"), false), fs::Result::Ok);
        QCOMPARE(fs::copyFile(p("src.gif"), p("dst.gif"), false), fs::Result::PermissionDenied);
        fs::writeText(p("src.gif"), QStringLiteral("GIF87a"));
        QCOMPARE(fs::copyFile(p("src.gif"), p("dst.gif"), true), fs::Result::Ok);
        QCOMPARE(readFile(p("dst.gif")), QByteArray("GIF87a"));
        QCOMPARE(fs::copyFile(p("none.gif"), p("x.gif"), true), fs::Result::NotFound);
        QCOMPARE(fs::renameFile(p("dst.gif"), p("moved.gif")), fs::Result::Ok);
        QVERIFY(fs::fileExists(p("moved.gif")));
        QCOMPARE(fs::renameFile(p("moved.gif"), p("src.gif")), fs::Result::PermissionDenied);
    }

    // Listings are alphabetical without regard to case and filtered like the
    // system dialogs; a name is found whatever its case.
    void listingAndLookup()
    {
        const QString d = p(QStringLiteral("listed"));
        QDir(dir_.path()).mkpath(QStringLiteral("listed/Sub"));
        for (const char* n : {"b.GIF", "a.jpg", "C.bmp", "notes.txt", "x.rtf", "Tesk WEB Editor.ini"})
            writeFile(d + QLatin1Char('/') + QLatin1String(n), "x");
        QCOMPARE(fs::listFiles(d, QStringLiteral("*.gif;*.jpg;*.jpeg;*.bmp")), (QStringList{"a.jpg", "b.GIF", "C.bmp"}));
        QCOMPARE(fs::listFiles(d).size(), 6);
        QCOMPARE(fs::listFolders(d), QStringList{"Sub"});
        QCOMPARE(fs::listFiles(d + QStringLiteral("/missing")), QStringList{});
        QCOMPARE(fs::findCaseInsensitive(d, QStringLiteral("tesk web editor.INI")), d + QStringLiteral("/Tesk WEB Editor.ini"));
        QCOMPARE(fs::findCaseInsensitive(d, QStringLiteral("other.ini")), QString());
    }
};
TESK_TEST(FileSystemTest)

#include "file_system_test.moc"
