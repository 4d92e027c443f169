// The rules behind copying, deleting and renaming a site's files: the two
// files of a page, the names a rename accepts, which files a copy writes for
// the user's answers, when a folder copy may start, and the file system's
// tree listing and link copy that a folder copy relies on.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"
#include "site/copy_plan.h"
#include "site/page_pairs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tesk::test;

class PageFilesTest : public QObject {
    Q_OBJECT

private slots:
    void pairOfAName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("pair");
        QTest::newRow("about -> about.html") << "about" << "html" << "W/about.rtf F/about.html";
        QTest::newRow("index.htm carries its own") << "index.htm" << "html" << "W/index.htm.rtf F/index.htm";
        QTest::newRow("own extension beats the kept one") << "news.php" << "htm" << "W/news.php.rtf F/news.php";
    }
    void pairOfAName()
    {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QFETCH(QString, pair);
        const pages::Pair p = pages::Pair_Of(name, QStringLiteral("W/"), QStringLiteral("F/"), extension);
        QCOMPARE(p.source + QLatin1Char(' ') + p.page, pair);
    }

    void pageNamesAndKeptExtensions()
    {
        const QStringList listing{"about.rtf", "index.htm.rtf", "Notes.RTF", "New Page", "old.rtf.bak", "x.rtfx"};
        QCOMPARE(pages::Page_Names(listing), QStringList({"about", "index.htm"}));
        QCOMPARE(pages::Page_Candidates(QStringLiteral("about"), QStringLiteral("F/")),
                 QStringList({"F/about.html", "F/about.htm"}));
        QCOMPARE(pages::Page_Candidates(QStringLiteral("a.php"), QStringLiteral("F/")), QStringList({"F/a.php"}));
        QCOMPARE(pages::Typed_Page_Name(QStringLiteral("a.rtf.rtf")), QStringLiteral("a"));
        QCOMPARE(pages::Kept_Extension(QString()), QStringLiteral("html"));
        QCOMPARE(pages::Kept_Extension(QStringLiteral("/s/v1.2/page")), QStringLiteral("html"));
    }

    void newNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("contact") << "contact" << true;
        QTest::newRow("news.php") << "news.php" << true;
        QTest::newRow("inner blank") << "my page" << true;
        QTest::newRow("only blanks") << "   " << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("..") << ".." << false;
        QTest::newRow("..x") << "a..b" << false;
        QTest::newRow("colon") << "c:page" << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("trailing dot") << "page." << false;
        QTest::newRow("300 letters") << QString(300, QLatin1Char('a')) << false;
    }
    void newNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(pages::Page_Name_Problem(name).isEmpty(), accepted);
    }

    void filePattern()
    {
        QCOMPARE(copying::File_Pattern(QString()), QStringLiteral("*"));
        QCOMPARE(copying::File_Pattern(QStringLiteral("htm")), QStringLiteral("*.htm"));
        QCOMPARE(copying::File_Pattern(QStringLiteral("*.htm")), QStringLiteral("*.htm"));
    }

    // Names a b c; "existing" are there already; answers are given in turn.
    void copyPlan_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("plan");
        QTest::newRow("none there: all, no question") << "" << "" << "a b c";
        QTest::newRow("b there; cancel") << "b" << "3" << "b? | a cancelled";
    }
    void copyPlan()
    {
        QFETCH(QString, existing);
        QFETCH(QString, answers);
        QFETCH(QString, plan);
        const QStringList there = existing.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QStringList given = answers.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QStringList asked;
        const copying::Plan p = copying::Plan_Copy(
            {"a", "b", "c"}, [&](const QString& n) { return there.contains(n); },
            [&](const QString& n) {
                asked << n + QLatin1Char('?');
                return given.isEmpty() ? copying::Answer::Cancel : copying::Answer(given.takeFirst().toInt());
            });
        QStringList shown = p.copy;
        if (p.cancelled)
            shown << QStringLiteral("cancelled");
        QCOMPARE((asked.isEmpty() ? QString() : asked.join(QLatin1Char(' ')) + QStringLiteral(" | "))
                     + shown.join(QLatin1Char(' ')),
                 plan);
    }

    void folderCheck_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("canonicalTo");
        QTest::addColumn<int>("check");
        using C = copying::FolderCheck;
        QTest::newRow("same folder") << "/s/a" << "/s/a" << "/s/a" << int(C::Nothing);
        QTest::newRow("no To") << "/s/a" << "" << "" << int(C::Nothing);
        QTest::newRow("from the root") << "/" << "/s/a" << "/s/a" << int(C::No_Folder);
        QTest::newRow("to the root") << "/s/a" << "/" << "/" << int(C::Root_Target);
        QTest::newRow("into itself through a link") << "/s/a" << "/s/link" << "/s/a" << int(C::Into_Itself);
        QTest::newRow("a sibling with a longer name") << "/s/a" << "/s/ab" << "/s/ab" << int(C::Go);
        QTest::newRow("into the parent") << "/s/a" << "/s" << "/s" << int(C::Go);
    }
    void folderCheck()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, canonicalTo);
        QFETCH(int, check);
        QCOMPARE(int(copying::Check_Folder_Copy(from, to, from, canonicalTo, from == "/", to == "/")), check);
    }

    void browserBesideTheDialog()
    {
        QCOMPARE(pages::Browser_Beside_Dialog(QRect(60, 60, 4000, 5000), QSize(11000, 7000)),
                 QRect(4120, 60, 6940, 7000));
        // Too narrow beside it: below the dialog.
        QCOMPARE(pages::Browser_Beside_Dialog(QRect(60, 60, 4000, 3000), QSize(6000, 7000)),
                 QRect(60, 3120, 6000, 3940));
    }

    // A link to an ancestor is listed, never followed; copied, it points
    // where the original points.
    void treeListingKeepsLinksAsLinks()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QStringLiteral("/a/");
        QDir().mkpath(root + QStringLiteral("sub"));
        writeFile(root + QStringLiteral("sub/page.htm"), "x");
        QVERIFY(QFile::link(QStringLiteral(".."), root + QStringLiteral("sub/up")));
        QStringList listed;
        for (const fs::TreeEntry& e : fs::listTree(root))
            listed << e.relative + QLatin1Char(':') + QString::number(int(e.kind));
        QCOMPARE(listed, QStringList({"sub:1", "sub/page.htm:0", "sub/up:2"}));
        QCOMPARE(fs::copyLink(root + QStringLiteral("sub/up"), dir.path() + QStringLiteral("/up")), fs::Result::Ok);
        QCOMPARE(QFileInfo(dir.path() + QStringLiteral("/up")).canonicalFilePath(),
                 QFileInfo(dir.path() + QStringLiteral("/..")).canonicalFilePath());
    }

    // What stops a copy from writing a file below the To folder, on a real
    // tree: "sub/ro" read-only, "locked" a read-only folder, "out" a link
    // to a folder outside, "page" a link to a read-only file elsewhere.
    void whyUnwritable_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("why");
        QTest::newRow("new file") << "new.html" << "";
        QTest::newRow("writable file") << "sub/ok" << "";
        QTest::newRow("read-only file") << "sub/ro" << "read-only";
        QTest::newRow("new file in a read-only folder") << "locked/new" << "its folder is read-only";
        QTest::newRow("below a link") << "out/x" << "a folder on the way is a link to another place";
        QTest::newRow("deep below a link") << "out/sub/x" << "a folder on the way is a link to another place";
        QTest::newRow("a link is replaced, not its file") << "page" << "";
        QTest::newRow("below a folder not made yet") << "fresh/deeper/x" << "";
    }
    void whyUnwritable()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        const QString to = dir.path() + QStringLiteral("/To/");
        for (const char* f : {"To/sub", "To/locked", "elsewhere"})
            QVERIFY(QDir().mkpath(dir.path() + QLatin1Char('/') + QLatin1String(f)));
        QVERIFY(writeFile(to + QStringLiteral("sub/ok"), "x") && writeFile(to + QStringLiteral("sub/ro"), "x"));
        QVERIFY(writeFile(dir.path() + QStringLiteral("/elsewhere/file"), "x"));
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/elsewhere"), to + QStringLiteral("out")));
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/elsewhere/file"), to + QStringLiteral("page")));
        setReadOnly(to + QStringLiteral("sub/ro"), true);
        setReadOnly(to + QStringLiteral("locked"), true);
        setReadOnly(dir.path() + QStringLiteral("/elsewhere/file"), true);
        const QString why = copying::Why_Unwritable(to, relative);
        setReadOnly(to + QStringLiteral("sub/ro"), false);
        setReadOnly(to + QStringLiteral("locked"), false);
        setReadOnly(dir.path() + QStringLiteral("/elsewhere/file"), false);
        QTEST(why, "why");
    }

    // A long list names a screenful and counts the rest.
    void unwritableMessageFitsTheScreen()
    {
        QList<copying::Unwritable> files;
        for (int i = 0; i < 21; ++i)
            files.append({QStringLiteral("f%1").arg(i), QStringLiteral("read-only")});
        const QString text = copying::Unwritable_Message(files, true);
        QVERIFY(text.contains(QStringLiteral("f11 (read-only)")));
        QVERIFY(!text.contains(QStringLiteral("f12 (read-only)")));
        QVERIFY(text.contains(QStringLiteral("\r\n... and 9 more\r\n")));
    }

    void deletedHint_data()
    {
        QTest::addColumn<QStringList>("trashed");
        QTest::addColumn<QStringList>("deleted");
        QTest::addColumn<QString>("hint");
        QTest::newRow("the pair to the Trash")
            << QStringList{"about.rtf", "about.htm"} << QStringList{} << " about.rtf and about.htm went to the Trash ";
        QTest::newRow("a source alone") << QStringList{"draft.rtf"} << QStringList{} << " draft.rtf went to the Trash ";
        QTest::newRow("one each way") << QStringList{"a.rtf"} << QStringList{"a.html"}
                                      << " a.rtf went to the Trash; a.html was deleted for good ";
        QTest::newRow("both for good") << QStringList{} << QStringList{"a.rtf", "a.html"}
                                       << " a.rtf and a.html were deleted for good ";
        QTest::newRow("nothing") << QStringList{} << QStringList{} << "";
    }
    void deletedHint()
    {
        QFETCH(QStringList, trashed);
        QFETCH(QStringList, deleted);
        QTEST(pages::Deleted_Hint(trashed, deleted), "hint");
    }

    void removeForGoodSparesProtectedFiles()
    {
        QTemporaryDir dir;
        const QString file = dir.path() + QStringLiteral("/kept.rtf");
        writeFile(file, "x");
        setReadOnly(file, true);
        QCOMPARE(fs::removeFile(file), fs::Result::PermissionDenied);
        QVERIFY(QFile::exists(file));
        setReadOnly(file, false);
        QCOMPARE(fs::removeFile(file), fs::Result::Ok);
        QVERIFY(!QFile::exists(file));
    }
};

TESK_TEST(PageFilesTest)
#include "page_files_test.moc"
