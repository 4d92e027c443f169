// The file service: encodings (every character kept whatever mix the file
// holds), line ends, atomic replacement that keeps the file's mode and
// links, only regular files of a sane size read, and the read-only /
// missing-folder distinction callers react to.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

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

    void everyCharacterKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        auto u = [](const char16_t* s) { return QString::fromUtf16(s); };
        QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80") << u(u"caf\u00e9 \u20ac \U0001F600");
        QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80 \x93q\x94 \x9f") << u(u"caf\u00e9 \u20ac \u201cq\u201d \u0178");
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
        QTEST(readBack("t.txt"), "text");
    }

    // A pipe would block the reader forever and /dev/zero never ends; a
    // file past the limit is refused before a byte is read.
    void onlyRegularFilesOfSaneSize()
    {
        QVERIFY(mkfifo(p("fifo.lst").toLocal8Bit().constData(), 0600) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), p("zero.lst")));
        QVERIFY(writeFile(p("big.lst"), "x") && QFile(p("big.lst")).resize(fs::kMaxReadBytes + 1));
        QStringList lines{QStringLiteral("left alone")};
        for (const char* name : {"fifo.lst", "zero.lst"})
            QCOMPARE(fs::readLines(p(QLatin1String(name)), lines), fs::Result::NotRegularFile);
        QCOMPARE(fs::readLines(p("big.lst"), lines), fs::Result::TooLarge);
        QVERIFY(lines.isEmpty());
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
        QVERIFY(stat(mine.constData(), &st) == 0 && (st.st_mode & 0777) == 0600);
        QVERIFY(QDir().mkdir(p("shared")) && writeFile(p("shared/target.html"), "old"));
        QVERIFY(QFile::link(p("shared/target.html"), p("link.html")));
        QCOMPARE(fs::writeText(p("link.html"), QStringLiteral("new")), fs::Result::Ok);
        QCOMPARE(QFileInfo(p("link.html")).symLinkTarget(), p("shared/target.html"));
        for (const char* locked : {"shared/target.html", "shared"}) {
            setReadOnly(p(QLatin1String(locked)), true);
            QCOMPARE(fs::writeText(p("link.html"), QStringLiteral("lost")), fs::Result::PermissionDenied);
            setReadOnly(p(QLatin1String(locked)), false);
        }
        QCOMPARE(readFile(p("shared/target.html")), QByteArray("new"));
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
        QCOMPARE(fs::appendText(p("ro.txt"), QStringLiteral("lost")), fs::Result::PermissionDenied);
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

    void copyAndRename()
    {
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

    // A copy onto a link replaces the link itself: the file the link points
    // to, wherever it lies, keeps its bytes. Rows: what stands at the
    // target, whether the copy may overwrite, the result, and what the
    // target is afterwards ("copy", "link", "none").
    void copyNeverWritesThroughALink_data()
    {
        QTest::addColumn<QString>("there");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<fs::Result>("result");
        QTest::addColumn<QString>("after");
        QTest::newRow("nothing") << "nothing" << false << fs::Result::Ok << "copy";
        QTest::newRow("link to a file elsewhere") << "link to file" << true << fs::Result::Ok << "copy";
        QTest::newRow("link, not to overwrite") << "link to file" << false << fs::Result::PermissionDenied << "link";
        QTest::newRow("link to nothing") << "broken link" << true << fs::Result::Ok << "copy";
        QTest::newRow("link to nothing, not to overwrite")
            << "broken link" << false << fs::Result::PermissionDenied << "link";
        QTest::newRow("link to a folder") << "link to folder" << true << fs::Result::Ok << "copy";
        QTest::newRow("link to a read-only file") << "link to read-only" << true << fs::Result::Ok << "copy";
    }
    void copyNeverWritesThroughALink()
    {
        QFETCH(QString, there);
        QFETCH(bool, overwrite);
        QFETCH(fs::Result, result);
        QFETCH(QString, after);
        QTemporaryDir d;
        const auto at = [&d](const char* name) { return d.path() + QLatin1Char('/') + QLatin1String(name); };
        QVERIFY(QDir().mkpath(at("To")) && QDir().mkpath(at("elsewhere/folder")));
        QVERIFY(writeFile(at("page.html"), "new") && writeFile(at("elsewhere/file"), "theirs"));
        const QString target = at("To/page.html");
        if (there == QLatin1String("link to file") || there == QLatin1String("link to read-only"))
            QVERIFY(QFile::link(at("elsewhere/file"), target));
        else if (there == QLatin1String("broken link"))
            QVERIFY(QFile::link(at("elsewhere/missing"), target));
        else if (there == QLatin1String("link to folder"))
            QVERIFY(QFile::link(at("elsewhere/folder"), target));
        if (there == QLatin1String("link to read-only"))
            setReadOnly(at("elsewhere/file"), true);

        QCOMPARE(fs::copyFile(at("page.html"), target, overwrite), result);

        const QFileInfo info(target);
        QCOMPARE(info.isSymLink() ? QStringLiteral("link") : info.isFile() ? QStringLiteral("copy") : QStringLiteral("none"),
                 after);
        if (after == QLatin1String("copy"))
            QCOMPARE(readFile(target), QByteArray("new"));
        QCOMPARE(readFile(at("elsewhere/file")), QByteArray("theirs"));
        QVERIFY(QFileInfo(at("elsewhere/folder")).isDir());
        QVERIFY(!QFileInfo::exists(at("elsewhere/missing")));
        // Nothing is left beside the target.
        QCOMPARE(QDir(at("To")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList{"page.html"});
        setReadOnly(at("elsewhere/file"), false);
    }

    // The copy keeps the original's time and its read-only mark, also when
    // it replaces a newer file or a link.
    void copiesKeepTimeAndMode_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("there");
        QTest::newRow("new file") << false << "nothing";
        QTest::newRow("over a newer file") << false << "file";
        QTest::newRow("read-only original") << true << "nothing";
        QTest::newRow("read-only original over a link") << true << "link";
    }
    void copiesKeepTimeAndMode()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, there);
        QTemporaryDir d;
        const QString from = d.path() + QStringLiteral("/old.gif");
        const QString to = d.path() + QStringLiteral("/copy.gif");
        QVERIFY(writeFile(from, "GIF89a"));
        const QDateTime then(QDate(2001, 5, 1), QTime(12, 0, 30));
        {
            QFile f(from);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(then, QFileDevice::FileModificationTime));
        }
        setReadOnly(from, readOnly);
        if (there == QLatin1String("file"))
            QVERIFY(writeFile(to, "newer"));
        else if (there == QLatin1String("link"))
            QVERIFY(QFile::link(from, to));
        QCOMPARE(fs::copyFile(from, to, true), fs::Result::Ok);
        QVERIFY(!QFileInfo(to).isSymLink());
        QCOMPARE(QFileInfo(to).lastModified(), then);
        QCOMPARE(fs::isReadOnly(to), readOnly);
        const auto mode = [](const QString& path) {
            struct stat st {};
            return stat(path.toLocal8Bit().constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
        };
        QCOMPARE(mode(to), mode(from));
        setReadOnly(from, false);
        setReadOnly(to, false);
    }

    // Every way of writing, on a full disk: the previous file is kept whole,
    // nothing is left beside it, and the failure says the disk is full.
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("replacing") << 0;
        QTest::newRow("appending") << 1;
        QTest::newRow("copying over it") << 2;
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, way);
        QDir(dir_.path()).mkdir(QStringLiteral("full"));
        writeFile(p("full/a.lst"), "one\r\ntwo\r\n");
        writeFile(p("big.gif"), QByteArray(200000, 'g'));
        qputenv(fs::Full_Disk_Variable, "/full/");
        const QString big(100000, QLatin1Char('x'));
        const fs::Result r = way == 0   ? fs::writeText(p("full/a.lst"), big)
                             : way == 1 ? fs::appendText(p("full/a.lst"), big)
                                        : fs::copyFile(p("big.gif"), p("full/a.lst"), true);
        qunsetenv(fs::Full_Disk_Variable);
        QCOMPARE(r, fs::Result::DiskFull);
        QCOMPARE(readFile(p("full/a.lst")), QByteArray("one\r\ntwo\r\n"));
        QCOMPARE(QDir(p("full")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.lst"});
    }

    // The same on a real full file system, where the bytes are taken into
    // the buffers and the disk says no only when they go out: a short text
    // that fits the buffers and one that does not.
    void realFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("size");
        for (const int size : {100, 100000}) {
            QTest::addRow("replacing, %d bytes", size) << 0 << size;
            QTest::addRow("appending, %d bytes", size) << 1 << size;
            QTest::addRow("copying over it, %d bytes", size) << 2 << size;
        }
    }
    void realFullDiskKeepsTheOldFile()
    {
        QFETCH(int, way);
        QFETCH(int, size);
        QDir(dir_.path()).mkdir(QStringLiteral("real"));
        const QByteArray old = "one\r\ntwo\r\n";
        writeFile(p("real/a.lst"), old);
        writeFile(p("src.gif"), QByteArray(size, 'g'));
        FullFileSystem full(p("real"));
        if (!full.mounted())
            QSKIP(qPrintable(full.whyNot()));
        QVERIFY2(full.whyNot().isEmpty(), qPrintable(full.whyNot()));
        const QString text(size, QLatin1Char('x'));
        const fs::Result r = way == 0   ? fs::writeText(p("real/a.lst"), text)
                             : way == 1 ? fs::appendText(p("real/a.lst"), text)
                                        : fs::copyFile(p("src.gif"), p("real/a.lst"), true);
        QCOMPARE(r, fs::Result::DiskFull);
        QCOMPARE(readFile(p("real/a.lst")), old);
        QCOMPARE(QDir(p("real")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"a.lst", FullFileSystem::Filler}));
        QCOMPARE(full.available(), 0);
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
