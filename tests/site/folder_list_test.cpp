// The remembered-folders file: which pairs are read, how a folder is added
// and forgotten, and that a list that cannot be written leaves both the file
// and the list in memory as they were.

#include "tesk_test.h"
#include "logic_support.h"

#include "site/folder_list.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

QStringList pairs(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("f%1").arg(i) << QStringLiteral("/sites/f%1").arg(i);
    return lines;
}

QString describe(const QList<FolderEntry>& entries)
{
    QStringList parts;
    for (const FolderEntry& e : entries)
        parts << e.Name + QLatin1Char('=') + e.Path;
    return parts.join(QLatin1Char(';'));
}

QByteArray crlf(const QStringList& lines)
{
    return fs::encodeText(fs::joinLines(lines));
}

} // namespace

class FolderListTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString file_;

    // The list read from a file of these bytes.
    folder_list::Slots readFrom(const QByteArray& bytes)
    {
        writeFile(file_, bytes);
        folder_list::Slots list;
        folder_list::Read(file_, list);
        return list;
    }

private slots:
    void init()
    {
        file_ = dir_.path() + QStringLiteral("/Folder.lst");
        QFile::remove(file_);
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no lines") << QStringList() << QString();
        QTest::newRow("one pair") << QStringList{"site", "/w/site"} << "site=/w/site";
        QTest::newRow("[A,''] [B,/b]: first pair dropped whole") << QStringList{"A", "", "B", "/b"} << "B=/b";
        QTest::newRow("['',/a] [B,/b]: empty name drops the pair") << QStringList{"", "/a", "B", "/b"} << "B=/b";
        QTest::newRow("odd last line has no partner") << QStringList{"A", "/a", "B"} << "A=/a";
        QTest::newRow("a dropped pair does not shift the next")
            << QStringList{"A", "", "", "", "C", "/c"} << "C=/c";
        const QString fifty = describe(folder_list::Parse(pairs(50)));
        QTest::newRow("51st pair ignored") << pairs(51) << fifty;
        QTest::newRow("dropped pair not counted: 50 complete after it") << QStringList{"X", ""} + pairs(51) << fifty;
    }
    void parse()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        const QList<FolderEntry> got = folder_list::Parse(lines);
        QCOMPARE(describe(got), expected);
        QVERIFY(got.size() <= folder_list::Max_Folders);
    }

    void readFillsSlotsFromOne()
    {
        QVERIFY(writeFile(file_, "A\r\n/a\r\nB\n/b\n"));
        folder_list::Slots list;
        list[0] = list[7] = {QStringLiteral("stale"), QStringLiteral("/stale")};
        QCOMPARE(folder_list::Read(file_, list), 2);
        QCOMPARE(describe({list.begin(), list.begin() + 4}), QStringLiteral("=;A=/a;B=/b;="));
        QCOMPARE(list[7].Path, QString());
        QFile::remove(file_);
        QCOMPARE(folder_list::Read(file_, list), 0);  // no file: an empty list
        QCOMPARE(folder_list::Count(list), 0);
    }

    // ("site", "/w/site") is added to the list read from the file. (No file
    // yet, a full list and a read-only file: the dialog's rows.)
    void add_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QByteArray>("after");
        using folder_list::Added;
        const QByteArray one = crlf({"A", "/a"});
        const QByteArray site = crlf({"site", "/w/site"});
        QTest::newRow("appended") << one << int(Added::Appended) << one + site;
        // Dropped pairs stay in the file; an unterminated last line is ended first.
        QTest::newRow("what the list does not show is kept")
            << QByteArray("A\r\n\r\nB\r\n/b") << int(Added::Appended) << "A\r\n\r\nB\r\n/b\r\n" + site;
        QTest::newRow("same path: name refreshed, nothing written")
            << crlf({"Old Name", "/w/site"}) << int(Added::Refreshed) << crlf({"Old Name", "/w/site"});
    }
    void add()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        folder_list::Slots list = readFrom(before);
        const auto r = folder_list::Add(list, file_, QStringLiteral("site"), QStringLiteral("/w/site"));
        QTEST(int(r.outcome), "outcome");
        QCOMPARE(readFile(file_), after);
        QCOMPARE(list[r.slot].Name, QStringLiteral("site"));
        QCOMPARE(list[r.slot].Path, QStringLiteral("/w/site"));
        // The list in memory holds as many folders as the file.
        folder_list::Slots reread;
        QCOMPARE(folder_list::Read(file_, reread), folder_list::Count(list));
    }

    // (The only entry and a read-only file: the dialog's rows.)
    void remove_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("expectedLines");
        QTest::newRow("first of three") << 3 << 1 << QStringList{"f2", "/sites/f2", "f3", "/sites/f3"};
        QTest::newRow("last of three") << 3 << 3 << pairs(2);
        QTest::newRow("first of a full list: last not doubled") << 50 << 1 << pairs(50).mid(2);
        QTest::newRow("last of a full list") << 50 << 50 << pairs(49);
        QTest::newRow("placeholder: nothing") << 2 << 0 << pairs(2);
        QTest::newRow("nothing selected") << 2 << -1 << pairs(2);
        QTest::newRow("past the end") << 2 << 3 << pairs(2);
    }
    void remove()
    {
        QFETCH(int, entries);
        QFETCH(int, index);
        QFETCH(QStringList, expectedLines);
        folder_list::Slots list = readFrom(crlf(pairs(entries)));
        QCOMPARE(folder_list::Remove(list, file_, index), fs::Result::Ok);
        QCOMPARE(folder_list::Lines_Of(list), expectedLines);
        QCOMPARE(folder_list::Count(list), expectedLines.size() / 2);
        QVERIFY(QFileInfo(file_).isFile());
        QCOMPARE(readFile(file_), crlf(expectedLines));
    }

    // A folder is remembered by its last name; a root by its own path, so
    // that its entry never looks like an incomplete pair.
    void folderName()
    {
        const QList<std::pair<const char*, const char*>> cases{
            {"/home/me/Garden Club", "Garden Club"}, {"/home/me/site/", "site"}, {"/", "/"}, {"C:/", "C:/"}};
        for (const auto& [path, name] : cases)
            QCOMPARE(folder_list::Folder_Name(QLatin1String(path)), QLatin1String(name));
    }
};
TESK_TEST(FolderListTest)

#include "folder_list_test.moc"
