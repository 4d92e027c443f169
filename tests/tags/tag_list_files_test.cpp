// The tag list files: their line format, the four ways they are touched and
// the rules of the windows that write them.

#include "tesk_test.h"
#include "logic_support.h"

#include "core/shared_state.h"
#include "tags/tag_list_files.h"

#include <QFile>

using namespace tesk::test;
namespace tl = tag_lists;

class TagListFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetState(); }

    void readBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("duplicates and blanks kept") << QByteArray(" x \r\n x \r\n") << QStringList{" x ", " x "};
        QTest::newRow("legacy code page") << QByteArray("caf\xE9 \x80\r\n") << QStringList{QStringLiteral("caf\u00E9 \u20AC")};
    }
    void readBack()
    {
        QFETCH(QByteArray, bytes);
        TempSite site;
        const QString path = site.path("site/Working-Pages/URL.lst");
        QVERIFY(writeFile(path, bytes));
        QTEST(tl::Read_All(path), "entries");
        QFile::remove(path);
        QVERIFY(tl::Read_All(path).isEmpty());
    }

    void appendAndRewrite()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/Image.lst");
        QCOMPARE(tl::Append_One(path, QStringLiteral("<img src=\"caf\u00E9.gif\">")), fs::Result::Ok);
        QCOMPARE(tl::Append_Many(path, {"", "a"}), fs::Result::Ok);
        QCOMPARE(readFile(path), QByteArray("<img src=\"caf\xC3\xA9.gif\">\r\n\r\na\r\n"));
        // A hand-edited file without its last CR LF: the entry starts a new line.
        QVERIFY(writeFile(path, "one\r\ntwo"));
        QCOMPARE(tl::Append_One(path, "three"), fs::Result::Ok);
        QCOMPARE(tl::Read_All(path), (QStringList{"one", "two", "three"}));
        QCOMPARE(tl::Rewrite_All(path, {"<body>", ""}), fs::Result::Ok);
        QCOMPARE(readFile(path), QByteArray("<body>\r\n\r\n"));
    }

    // (An entry added to a read-only list, and the list deleted on purpose:
    // the windows' rows.)
    void failedWritesLeaveTheFileAlone()
    {
        TempSite site;
        const QString path = site.path("site/Working-Pages/Anchor.lst");
        QVERIFY(writeFile(path, "top\r\n"));
        setReadOnly(path, true);
        QCOMPARE(tl::Rewrite_All(path, {"other"}), fs::Result::PermissionDenied);
        QCOMPARE(readFile(path), QByteArray("top\r\n"));
        setReadOnly(path, false);
        QVERIFY(QFile::remove(path));
        QCOMPARE(tl::Delete(path), fs::Result::Ok);  // gone already: no failure

        const QString lost = site.path("site/Gone/Anchor.lst");
        QCOMPARE(tl::Append_One(lost, "x"), fs::Result::PathNotFound);
        QCOMPARE(tl::Rewrite_All(lost, {"x"}), fs::Result::PathNotFound);
    }

    void pathsByKindAndPlace()
    {
        TempSite site;
        site.apply();
        QCOMPARE(tl::Kind_Path(4, tl::Place::Working), QString());
        // No working folder: no path, so nothing is written anywhere.
        state().Working_Pages_Folder.clear();
        QCOMPARE(tl::Append_One(tl::Kind_Path(2, tl::Place::Working), "x"), fs::Result::PathNotFound);
    }

    void targetRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("imagesTool");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("index");
        using C = tl::TargetChoice;
        QTest::newRow("case counts") << "Main" << false << int(C::Add) << 6;
        QTest::newRow("only blanks") << "   " << false << int(C::Select_First) << 0;
        QTest::newRow("None is a name in the editor") << "None" << false << int(C::Add) << 6;
        QTest::newRow("None is the first item in the tool") << " None " << true << int(C::Select_First) << 0;
    }
    void targetRule()
    {
        QFETCH(QString, typed);
        QFETCH(bool, imagesTool);
        const QStringList items{"Target", "none", "_blank", "_parent", "_top", "main"};
        const tl::TargetChoice c = tl::Choose_Target(typed, items, imagesTool);
        QTEST(int(c.What), "action");
        QTEST(c.Index, "index");
        QCOMPARE(c.Name, typed.trimmed());
    }

    void anchorRule()
    {
        const QStringList box{" None", "top"};
        QVERIFY(tl::Is_New_Anchor("Top", box));
        QVERIFY(!tl::Is_New_Anchor("top", box));
        QVERIFY(!tl::Is_New_Anchor("", box));
    }

};
TESK_TEST(TagListFilesTest)

#include "tag_list_files_test.moc"
