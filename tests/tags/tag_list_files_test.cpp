// The tag list files: their line format, the four ways they are touched and
// the rules of the windows that write them.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "tags/tag_list_files.h"

#include <QFile>

using namespace tesk::test;
namespace tl = tag_lists;

class TagListFormatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("CR LF after every line") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("last line without CR LF") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines are entries")
            << QByteArray("a\r\n\r\n\r\nb\r\n") << QStringList{"a", "", "", "b"};
        QTest::newRow("duplicates kept") << QByteArray("x\r\nx\r\n") << QStringList{"x", "x"};
        QTest::newRow("own blanks kept") << QByteArray(" a \r\n") << QStringList{" a "};
        QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9\r\n") << QStringList{QStringLiteral("caf\u00E9")};
        QTest::newRow("legacy code page")
            << QByteArray("caf\xE9 \x80\r\n") << QStringList{QStringLiteral("caf\u00E9 \u20AC")};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void readBack()
    {
        QFETCH(QByteArray, bytes);
        TempSite site;
        const QString path = site.path("site/Working-Pages/URL.lst");
        QVERIFY(writeFile(path, bytes));
        QTEST(tl::Read_All(path), "entries");
    }

    void missingFileIsEmptyList()
    {
        TempSite site;
        QStringList entries{"stale"};
        QCOMPARE(tl::Read_All(site.path("site/Working-Pages/Color.lst"), entries), fs::Result::NotFound);
        QVERIFY(entries.isEmpty());
        QVERIFY(tl::Read_All(QString()).isEmpty());
    }

    void appendWritesUtf8LinesAndCreatesTheFile()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/Image.lst");
        QCOMPARE(tl::Append_One(path, QStringLiteral("<img src=\"caf\u00E9.gif\">")), fs::Result::Ok);
        QCOMPARE(tl::Append_One(path, QString()), fs::Result::Ok);
        QCOMPARE(tl::Append_Many(path, {"a", "b"}), fs::Result::Ok);
        QCOMPARE(readFile(path), QByteArray("<img src=\"caf\xC3\xA9.gif\">\r\n\r\na\r\nb\r\n"));
    }

    void appendAfterALastLineWithoutCrLfStartsANewLine()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/URL.lst");
        QVERIFY(writeFile(path, "one\r\ntwo"));
        QCOMPARE(tl::Append_One(path, "three"), fs::Result::Ok);
        QCOMPARE(tl::Read_All(path), (QStringList{"one", "two", "three"}));
    }

    void failedWritesLeaveTheFileAlone()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/Anchor.lst");
        QVERIFY(writeFile(path, "top\r\n"));
        setReadOnly(path, true);
        QCOMPARE(tl::Append_One(path, "new"), fs::Result::PermissionDenied);
        QCOMPARE(tl::Rewrite_All(path, {"other"}), fs::Result::PermissionDenied);
        QCOMPARE(readFile(path), QByteArray("top\r\n"));
        setReadOnly(path, false);

        const QString lost = site.path("site/Gone/Anchor.lst");
        QCOMPARE(tl::Append_One(lost, "x"), fs::Result::PathNotFound);
        QCOMPARE(tl::Rewrite_All(lost, {"x"}), fs::Result::PathNotFound);
        QVERIFY(!QFile::exists(lost));
    }

    void rewriteReplacesEverything()
    {
        TempSite site;
        const QString path = site.path("program/References/Color.lst");
        QVERIFY(writeFile(path, "old 1\r\nold 2\r\nold 3\r\n"));
        QCOMPARE(tl::Rewrite_All(path, {"<body>", "", "<td>"}), fs::Result::Ok);
        QCOMPARE(readFile(path), QByteArray("<body>\r\n\r\n<td>\r\n"));
    }

    void deleteAllRemovesReadOnlyFiles()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/URL.lst");
        QVERIFY(writeFile(path, "a\r\n"));
        setReadOnly(path, true);
        QCOMPARE(tl::Delete(path), fs::Result::Ok);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(tl::Delete(path), fs::Result::Ok);  // nothing left to delete
    }

    void failureMessageNamesTheFile()
    {
        const QString text = tl::Failure_Message("/site/Working-Pages/URL.lst", fs::Result::PermissionDenied);
        QVERIFY(text.contains("/site/Working-Pages/URL.lst"));
        QVERIFY(text.contains(fs::describe(fs::Result::PermissionDenied)));
        QVERIFY(tl::Failure_Title.startsWith("TWE - "));
    }
};
TESK_TEST(TagListFormatTest)

class TagListRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void pathsByKindAndPlace()
    {
        TempSite site;
        site.apply();
        const QString names[] = {"Color.lst", "Image.lst", "URL.lst", "Anchor.lst"};
        for (int kind = 0; kind < tl::Kind_Count; ++kind) {
            QCOMPARE(tl::Kind_Path(kind, tl::Place::Working), site.workingFolder() + "Working-Pages/" + names[kind]);
            QCOMPARE(tl::Kind_Path(kind, tl::Place::Reference), site.programFolder() + "References/" + names[kind]);
        }
        QCOMPARE(tl::Kind_Path(4, tl::Place::Working), QString());
        QCOMPARE(tl::Working_Path(tl::Target_File_Name), site.workingFolder() + "Working-Pages/Target.lst");

        // No working folder: no path, and so nothing written anywhere.
        state().Working_Pages_Folder.clear();
        QCOMPARE(tl::Kind_Path(2, tl::Place::Working), QString());
        QCOMPARE(tl::Append_One(tl::Kind_Path(2, tl::Place::Working), "x"), fs::Result::PathNotFound);
    }

    void storeRule()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/Image.lst");
        QVERIFY(writeFile(path, "a\r\nb\r\n"));

        // Deleting entries down to one rewrites the file with that one ...
        tl::StoreOutcome out = tl::Store(path, {"b"});
        QVERIFY(out.Stored);
        QCOMPARE(out.Io, fs::Result::Ok);
        QCOMPARE(readFile(path), QByteArray("b\r\n"));
        // ... deleting the last one too leaves the file as it was.
        out = tl::Store(path, {});
        QVERIFY(!out.Stored);
        QCOMPARE(readFile(path), QByteArray("b\r\n"));
        // A store that cannot write says so.
        setReadOnly(path, true);
        out = tl::Store(path, {"c"});
        QVERIFY(out.Stored);
        QCOMPARE(out.Io, fs::Result::PermissionDenied);
        setReadOnly(path, false);
    }

    void imageFolderLists()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/Images, To.lst");
        const QString first = tl::Site_Images_Item(site.workingFolder() + "Final-Pages/");
        QCOMPARE(first, site.workingFolder() + "Final-Pages/Images");

        // The site's own folder is offered first and never written.
        QCOMPARE(tl::Read_Image_Folders(path, first), QStringList{first});
        QCOMPARE(tl::Write_Image_Folders(path, {first, "/pics", "/more"}), fs::Result::Ok);
        QCOMPARE(readFile(path), QByteArray("/pics\r\n/more\r\n"));
        QCOMPARE(tl::Read_Image_Folders(path, first), (QStringList{first, "/pics", "/more"}));

        // Only the first item: the file is made anew, empty.
        QCOMPARE(tl::Write_Image_Folders(path, {first}), fs::Result::Ok);
        QVERIFY(QFile::exists(path));
        QCOMPARE(readFile(path), QByteArray());
        QCOMPARE(tl::Read_Image_Folders(path, first), QStringList{first});
    }

    void targetRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("imagesTool");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        const QStringList source{"Target", "none", "_blank", "_parent", "_top", "main"};
        const QStringList images{" None", "_blank", "_parent", "_top"};
        using C = tl::TargetChoice;
        QTest::newRow("source: blanks trimmed, new") << "  menu  " << source << false << int(C::Add) << 6 << "menu";
        QTest::newRow("source: listed after trimming") << " main " << source << false << int(C::Select_Existing) << 5 << "main";
        QTest::newRow("source: case counts") << "Main" << source << false << int(C::Add) << 6 << "Main";
        QTest::newRow("source: only blanks") << "   " << source << false << int(C::Select_First) << 0 << "";
        QTest::newRow("source: None is a name") << "None" << source << false << int(C::Add) << 6 << "None";
        QTest::newRow("source: fixed item") << "_top" << source << false << int(C::Select_Existing) << 4 << "_top";
        QTest::newRow("source: tab is kept") << "\tx" << source << false << int(C::Add) << 6 << "\tx";
        QTest::newRow("images: blank _blank found") << " _blank " << images << true << int(C::Select_Existing) << 1 << "_blank";
        QTest::newRow("images: None selects first") << "None" << images << true << int(C::Select_First) << 0 << "None";
        QTest::newRow("images: blank None too") << " None" << images << true << int(C::Select_First) << 0 << "None";
        QTest::newRow("images: new") << "frame1" << images << true << int(C::Add) << 4 << "frame1";
        QTest::newRow("first of two equal items") << "x" << QStringList{"a", "x", "x"} << false << int(C::Select_Existing) << 1 << "x";
    }
    void targetRule()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, items);
        QFETCH(bool, imagesTool);
        const tl::TargetChoice c = tl::Choose_Target(typed, items, imagesTool);
        QTEST(int(c.What), "action");
        QTEST(c.Index, "index");
        QTEST(c.Name, "name");
    }

    void anchorRule()
    {
        const QStringList box{" None", "top", "Notes"};
        QVERIFY(tl::Is_New_Anchor("bottom", box));
        QVERIFY(tl::Is_New_Anchor("notes", box));  // case counts
        QVERIFY(!tl::Is_New_Anchor("top", box));
        QVERIFY(!tl::Is_New_Anchor("", box));
        QVERIFY(!tl::Is_New_Anchor(" None", box));
    }

    void toolbarEntries_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("kept");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("lone blank") << " " << false;
        QTest::newRow("tab first") << "\t<td>" << false;
        QTest::newRow("control character") << QString(QChar(1)) + "x" << false;
        QTest::newRow("blank then text") << " x" << true;
        QTest::newRow("two blanks") << "  " << true;
        QTest::newRow("text") << "<body>" << true;
    }
    void toolbarEntries()
    {
        QFETCH(QString, line);
        QTEST(tl::Is_Toolbar_Entry(line), "kept");
    }

    void sourcePageNames()
    {
        TempSite site;
        const QString folder = site.path("site/Working-Pages/");
        for (const char* name : {"index.rtf", "About.rtf", "Old.RTF", "notes.rtf.bak", "page.html", "New Page"})
            QVERIFY(writeFile(folder + name, "x"));
        QCOMPARE(tl::Source_Page_Names(folder), (QStringList{"About", "index"}));
        QVERIFY(tl::Source_Page_Names(site.path("nowhere/")).isEmpty());
    }
};
TESK_TEST(TagListRulesTest)

#include "tag_list_files_test.moc"
