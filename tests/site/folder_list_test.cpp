// The remembered-folders file: which pairs are read, how a folder is added
// and forgotten, and that a list that cannot be written leaves both the file
// and the list in memory as they were.

#include "tesk_test.h"
#include "test_support.h"

#include "site/folder_list.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

QStringList pairs(int n, const QString& prefix = QStringLiteral("f"))
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << prefix + QString::number(i) << QStringLiteral("/sites/") + prefix + QString::number(i);
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

private:
    QTemporaryDir dir_;
    QString file_;

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
        QTest::newRow("[A,''] [B,/b]: first pair dropped whole")
            << QStringList{"A", "", "B", "/b"} << "B=/b";
        QTest::newRow("['',/a] [B,/b]: empty name drops the pair")
            << QStringList{"", "/a", "B", "/b"} << "B=/b";
        QTest::newRow("odd last line has no partner") << QStringList{"A", "/a", "B"} << "A=/a";
        QTest::newRow("a dropped pair does not shift the next")
            << QStringList{"A", "", "", "", "C", "/c"} << "C=/c";
        QStringList fifty = pairs(50);
        QTest::newRow("50 pairs all read") << fifty << describe(folder_list::Parse(fifty));
        QStringList many = pairs(51);
        QStringList firstFifty = many.mid(0, 100);
        QTest::newRow("51st pair ignored") << many << describe(folder_list::Parse(firstFifty));
        QStringList withHole = QStringList{"X", ""} + pairs(51);
        QTest::newRow("dropped pair not counted: 50 complete after it")
            << withHole << describe(folder_list::Parse(firstFifty));
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
        list[0] = {QStringLiteral("stale"), QStringLiteral("/stale")};
        list[7] = {QStringLiteral("stale"), QStringLiteral("/stale")};
        QCOMPARE(folder_list::Read(file_, list), 2);
        QCOMPARE(list[0].Path, QString());
        QCOMPARE(list[1].Name, QStringLiteral("A"));
        QCOMPARE(list[2].Path, QStringLiteral("/b"));
        QCOMPARE(list[7].Path, QString());
        QCOMPARE(folder_list::Count(list), 2);
    }

    void readMissingFileGivesEmptyList()
    {
        folder_list::Slots list;
        list[1] = {QStringLiteral("old"), QStringLiteral("/old")};
        QCOMPARE(folder_list::Read(file_, list), 0);
        QCOMPARE(folder_list::Count(list), 0);
    }

    void addAppendsAPair()
    {
        QVERIFY(writeFile(file_, crlf({"A", "/a"})));
        folder_list::Slots list;
        folder_list::Read(file_, list);
        const folder_list::AddResult r = folder_list::Add(list, file_, QStringLiteral("B"), QStringLiteral("/b"));
        QCOMPARE(r.outcome, folder_list::Added::Appended);
        QCOMPARE(r.slot, 2);
        QCOMPARE(readFile(file_), crlf({"A", "/a", "B", "/b"}));
        QCOMPARE(list[2].Name, QStringLiteral("B"));
    }

    void addCreatesAMissingFile()
    {
        folder_list::Slots list;
        const auto r = folder_list::Add(list, file_, QStringLiteral("site"), QStringLiteral("/w/site"));
        QCOMPARE(r.outcome, folder_list::Added::Appended);
        QCOMPARE(readFile(file_), crlf({"site", "/w/site"}));
    }

    void addKeepsWhatTheListDoesNotShow()
    {
        // Dropped pairs stay in the file: an add never rewrites what it did not read.
        const QByteArray old = "A\r\n\r\nB\r\n/b";
        QVERIFY(writeFile(file_, old));
        folder_list::Slots list;
        QCOMPARE(folder_list::Read(file_, list), 1);
        folder_list::Add(list, file_, QStringLiteral("C"), QStringLiteral("/c"));
        // The unterminated last line is ended first, so the new pair stays a pair.
        QCOMPARE(readFile(file_), old + "\r\n" + crlf({"C", "/c"}));
        QCOMPARE(folder_list::Read(file_, list), 2);
        QCOMPARE(list[2].Path, QStringLiteral("/c"));
    }

    void addSamePathRefreshesNameWithoutWriting()
    {
        QVERIFY(writeFile(file_, crlf({"Old Name", "/w/site"})));
        folder_list::Slots list;
        folder_list::Read(file_, list);
        const auto r = folder_list::Add(list, file_, QStringLiteral("site"), QStringLiteral("/w/site"));
        QCOMPARE(r.outcome, folder_list::Added::Refreshed);
        QCOMPARE(r.slot, 1);
        QCOMPARE(list[1].Name, QStringLiteral("site"));
        QCOMPARE(folder_list::Count(list), 1);
        QCOMPARE(readFile(file_), crlf({"Old Name", "/w/site"}));
    }

    void addToFullListChangesNothing()
    {
        QVERIFY(writeFile(file_, crlf(pairs(50))));
        folder_list::Slots list;
        folder_list::Read(file_, list);
        const folder_list::Slots before = list;
        const auto r = folder_list::Add(list, file_, QStringLiteral("one more"), QStringLiteral("/one/more"));
        QCOMPARE(r.outcome, folder_list::Added::Full);
        QCOMPARE(describe({list.begin(), list.end()}), describe({before.begin(), before.end()}));
        QCOMPARE(readFile(file_), crlf(pairs(50)));
    }

    void addToReadOnlyFileKeepsFileAndList()
    {
        QVERIFY(writeFile(file_, crlf({"A", "/a"})));
        setReadOnly(file_, true);
        folder_list::Slots list;
        folder_list::Read(file_, list);
        const auto r = folder_list::Add(list, file_, QStringLiteral("B"), QStringLiteral("/b"));
        setReadOnly(file_, false);
        QCOMPARE(r.outcome, folder_list::Added::Not_Saved);
        QCOMPARE(r.io, fs::Result::PermissionDenied);
        QCOMPARE(folder_list::Count(list), 1);
        QCOMPARE(list[2].Path, QString());
        QCOMPARE(readFile(file_), crlf({"A", "/a"}));
    }

    void remove_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("expectedLines");
        QTest::newRow("first of three") << 3 << 1 << QStringList{"f2", "/sites/f2", "f3", "/sites/f3"};
        QTest::newRow("middle of three") << 3 << 2 << QStringList{"f1", "/sites/f1", "f3", "/sites/f3"};
        QTest::newRow("last of three") << 3 << 3 << QStringList{"f1", "/sites/f1", "f2", "/sites/f2"};
        QTest::newRow("the only entry: empty file") << 1 << 1 << QStringList();
        QStringList fullLess = pairs(50);
        fullLess.remove(0, 2);
        QTest::newRow("first of a full list: last not doubled") << 50 << 1 << fullLess;
        QStringList fullLessLast = pairs(49);
        QTest::newRow("last of a full list") << 50 << 50 << fullLessLast;
    }
    void remove()
    {
        QFETCH(int, entries);
        QFETCH(int, index);
        QFETCH(QStringList, expectedLines);
        QVERIFY(writeFile(file_, crlf(pairs(entries))));
        folder_list::Slots list;
        folder_list::Read(file_, list);
        QCOMPARE(folder_list::Remove(list, file_, index), fs::Result::Ok);
        QCOMPARE(folder_list::Lines_Of(list), expectedLines);
        QCOMPARE(folder_list::Count(list), entries - 1);
        QVERIFY(QFileInfo::exists(file_));
        QCOMPARE(readFile(file_), crlf(expectedLines));
    }

    void removeLastEntryLeavesZeroByteFile()
    {
        QVERIFY(writeFile(file_, crlf({"site", "/w/site"})));
        folder_list::Slots list;
        folder_list::Read(file_, list);
        QCOMPARE(folder_list::Remove(list, file_, 1), fs::Result::Ok);
        QVERIFY(QFileInfo(file_).isFile());
        QCOMPARE(QFileInfo(file_).size(), 0);
    }

    void removeOutsideTheListChangesNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("placeholder") << 0;
        QTest::newRow("nothing selected") << -1;
        QTest::newRow("past the end") << 3;
    }
    void removeOutsideTheListChangesNothing()
    {
        QFETCH(int, index);
        QVERIFY(writeFile(file_, crlf(pairs(2))));
        folder_list::Slots list;
        folder_list::Read(file_, list);
        QCOMPARE(folder_list::Remove(list, file_, index), fs::Result::Ok);
        QCOMPARE(folder_list::Count(list), 2);
        QCOMPARE(readFile(file_), crlf(pairs(2)));
    }

    void removeFromReadOnlyFileKeepsFileAndList()
    {
        QVERIFY(writeFile(file_, crlf(pairs(3))));
        setReadOnly(file_, true);
        folder_list::Slots list;
        folder_list::Read(file_, list);
        const fs::Result r = folder_list::Remove(list, file_, 2);
        setReadOnly(file_, false);
        QCOMPARE(r, fs::Result::PermissionDenied);
        QCOMPARE(folder_list::Lines_Of(list), pairs(3));
        QCOMPARE(readFile(file_), crlf(pairs(3)));
    }

    void sameNameOnTwoPaths()
    {
        folder_list::Slots list;
        list[1] = {QStringLiteral("site"), QStringLiteral("/a/site")};
        list[2] = {QStringLiteral("site"), QStringLiteral("/b/site")};
        // Each folder finds its own entry, not the first one of that name.
        QCOMPARE(folder_list::Find_Path(list, QStringLiteral("/a/site")), 1);
        QCOMPARE(folder_list::Find_Path(list, QStringLiteral("/b/site")), 2);
        QCOMPARE(folder_list::Find_Path(list, QStringLiteral("/c/site")), 0);
        QCOMPARE(folder_list::Find_Path(list, QString()), 0);
    }

    void folderName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "/home/me/Garden Club" << "Garden Club";
        QTest::newRow("trailing separator") << "/home/me/site/" << "site";
        QTest::newRow("root is named by itself") << "/" << "/";
        QTest::newRow("drive root") << "C:/" << "C:/";
    }
    void folderName()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(folder_list::Folder_Name(path), name);
    }
};
TESK_TEST(FolderListTest)

#include "folder_list_test.moc"
