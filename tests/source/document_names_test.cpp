// The names of a document, the lists of the name dialogs, the names Save As
// refuses, and where a new page's text comes from. No windows.

#include "tesk_test.h"
#include "logic_support.h"

#include "core/shared_state.h"
#include "source/new_page.h"
#include "source/source_document.h"

#include <QDir>
#include <QFile>

using namespace tesk::test;

class DocumentNamesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameRules_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("page");
        // What the user chose or typed, and the two files it becomes.
        QTest::newRow("news.php.rtf") << "news.php.rtf" << "news.php" << "news.php.rtf" << "news.php";
        QTest::newRow("Notes.RTF keeps its upper-case extension")
            << "Notes.RTF" << "Notes.RTF" << "Notes.RTF.rtf" << "Notes.RTF";
        QTest::newRow("old.rtf.bak cut before the first .rtf") << "old.rtf.bak" << "old" << "old.rtf" << "old.html";
        QTest::newRow("New File") << "New File" << "New File" << "New File.rtf" << "New File.html";
        QTest::newRow("empty") << "" << "" << ".rtf" << ".html";
        QTest::newRow("dot at the end") << "draft." << "draft." << "draft..rtf" << "draft.";
    }
    void nameRules()
    {
        QFETCH(QString, title);
        QFETCH(QString, label);
        QFETCH(QString, source);
        QFETCH(QString, page);
        SharedState s;
        s.Working_Pages_Folder = QStringLiteral("/site/Working-Pages/");
        s.Final_Pages_Folder = QStringLiteral("/site/Final-Pages/");
        s.Source_Title = title;
        QCOMPARE(srcdoc::Adjust_Source_Name(s), label);
        srcdoc::Adjust_HTML_Name(s);
        QCOMPARE(s.Source_Title, source);
        QCOMPARE(s.Source_Path, s.Working_Pages_Folder + source);
        QCOMPARE(s.HTML_Name, label);
        QCOMPARE(s.HTML_Path, s.Final_Pages_Folder + page);
        // The names a document already has stay as they are.
        const srcdoc::DocumentNames n = srcdoc::Name_Rules(title, s.Working_Pages_Folder, s.Final_Pages_Folder);
        QCOMPARE(srcdoc::Name_Rules(s.Source_Title, s.Working_Pages_Folder, s.Final_Pages_Folder), n);
        QCOMPARE(n.label, label);
    }

    void sourceListHoldsExactRtfFilesInOrder()
    {
        TempSite site;
        const QString wp = site.workingFolder() + QStringLiteral("Working-Pages/");
        for (const char* name : {"index.rtf", "about.htm.rtf", "Zebra.rtf", "apple.rtf", "x.RTF", "New Page",
                                 "notes.txt", "Apple.rtf", ".rtf", "archive.rtf.bak", "Image.lst"})
            QVERIFY(writeFile(wp + QLatin1String(name), "x"));
        QVERIFY(QDir().mkpath(wp + QStringLiteral("folder.rtf")));
        const QStringList list = srcdoc::Source_List(wp);
        QCOMPARE(list, (QStringList{"about.htm", "Apple", "apple", "index", "Zebra"}));
        QCOMPARE(srcdoc::Source_List(site.path(QStringLiteral("missing"))), QStringList());
        // Look_for_File finds an entry exactly as listed.
        QCOMPARE(srcdoc::Look_for_File(list, "index"), 3);
        QCOMPARE(srcdoc::Look_for_File(list, "Index"), -1);
        QCOMPARE(srcdoc::Look_for_File(list, "index.rtf"), -1);
    }

    void saveAsNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("replaces");  // entry of {"page", "Index"} the name would replace
        QTest::newRow("new name") << "contact" << false << -1;
        QTest::newRow("listed name") << "page" << false << 0;
        QTest::newRow("listed name cut before .rtf") << "page.rtf.old" << false << 0;
        QTest::newRow("other letter case") << "index" << false << -1;
        QTest::newRow("own page extension") << "news.php" << false << -1;
        QTest::newRow("blank inside") << "my page" << false << -1;
        QTest::newRow("empty") << "" << true << -1;
        QTest::newRow("blanks only") << "   " << true << -1;
        QTest::newRow("dot dot") << ".." << true << -1;
        // A path separator or a character some file system forbids, inside a name.
        for (const QChar c : QStringLiteral("/\\:*?\"<>|\t"))
            QTest::addRow("holds U+%04X", c.unicode()) << QStringLiteral("a%1b").arg(c) << true << -1;
    }
    void saveAsNames()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QCOMPARE(!srcdoc::Save_As_Name_Problem(typed).isEmpty(), refused);
        QTEST(srcdoc::Replaced_Entry({"page", "Index"}, typed), "replaces");
    }

    // An open writes the source of its name and that source's page: either
    // may belong to another document ("" when neither does).
    void openReplacesOnlyAnotherDocument_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("replaced");
        QTest::newRow("the site's own source") << "WP/index.rtf" << "";
        QTest::newRow("the same source, its folder spelled otherwise") << "WP/../Working-Pages/index.rtf" << "";
        QTest::newRow("the page file itself") << "FP/index.html" << "";
    }
    void openReplacesOnlyAnotherDocument()
    {
        QFETCH(QString, opened);
        TempSite site;
        const QString wp = site.workingFolder() + QStringLiteral("Working-Pages/");
        const QString fp = site.workingFolder() + QStringLiteral("Final-Pages/");
        for (const QString& f : {wp + "index.rtf", fp + "index.html", site.path("index.rtf"), site.path("index.html"),
                                 site.path("about.htm")})
            QVERIFY(writeFile(f, "x"));
        const QString path = opened.replace("WP/", wp).replace("FP/", fp).replace("~/", site.path({}));
        QTEST(srcdoc::Open_Would_Replace(path, srcdoc::Name_Rules(fs::fileName(path), wp, fp)), "replaced");
    }

    // The original goes to the first free name; no copy already there is
    // touched.
    void originalsAreKeptBesideTheFile_data()
    {
        QTest::addColumn<QStringList>("there");
        QTest::addColumn<QString>("copy");
        QTest::newRow("none yet") << QStringList() << "index.rtf.orig";
        QTest::newRow("one kept before") << QStringList{"index.rtf.orig"} << "index.rtf.1.orig";
        QTest::newRow("two kept before") << QStringList{"index.rtf.orig", "index.rtf.1.orig"} << "index.rtf.2.orig";
        QTest::newRow("a gap is filled") << QStringList{"index.rtf.orig", "index.rtf.2.orig"} << "index.rtf.1.orig";
        QTest::newRow("a folder of that name is passed over") << QStringList{"index.rtf.orig/"} << "index.rtf.1.orig";
    }
    void originalsAreKeptBesideTheFile()
    {
        QFETCH(QStringList, there);
        QFETCH(QString, copy);
        TempSite site;
        const QString wp = site.workingFolder() + QStringLiteral("Working-Pages/");
        const QByteArray original("\xFF\xFEo\0k\0\0\0", 8);
        QVERIFY(writeFile(wp + "index.rtf", original));
        for (const QString& name : there)
            QVERIFY(name.endsWith('/') ? QDir().mkpath(wp + name) : writeFile(wp + name, name.toUtf8()));
        fs::Result why = fs::Result::IoError;
        QCOMPARE(srcdoc::Keep_Original(wp + "index.rtf", why), wp + copy);
        QCOMPARE(why, fs::Result::Ok);
        QCOMPARE(readFile(wp + copy), original);
        for (const QString& name : there)
            if (!name.endsWith('/'))
                QCOMPARE(readFile(wp + name), name.toUtf8());
    }

    void anOriginalThatCannotBeKeptSaysWhy()
    {
        TempSite site;
        const QString wp = site.workingFolder() + QStringLiteral("Working-Pages/");
        QVERIFY(writeFile(wp + "index.rtf", "<p>"));
        fullDisk(".orig");
        fs::Result why = fs::Result::Ok;
        QCOMPARE(srcdoc::Keep_Original(wp + "index.rtf", why), QString());
        fullDisk({});
        QCOMPARE(why, fs::Result::DiskFull);
        QVERIFY(!fs::exists(wp + "index.rtf.orig"));
        QCOMPARE(srcdoc::Keep_Original(wp + "gone.rtf", why), QString());
        QCOMPARE(why, fs::Result::NotFound);
    }

    void templatesAreTriedInOrder()
    {
        TempSite site;
        const QString wp = site.workingFolder() + QStringLiteral("Working-Pages/");
        const QString program = site.programFolder();
        auto kinds = [&] {
            QList<int> out;
            for (const newpage::Choice& c : newpage::Template_Order(wp, program))
                out << int(c.source);
            return out;
        };
        const int work = int(newpage::Source::WorkingFolder), prog = int(newpage::Source::Program),
                  builtIn = int(newpage::Source::BuiltIn);
        QCOMPARE(kinds(), QList<int>{builtIn});
        QVERIFY(writeFile(program + "New Page.rtf", "{\\rtf1 p}"));
        QCOMPARE(kinds(), (QList<int>{prog, builtIn}));
        QVERIFY(writeFile(wp + "New Page", "{\\rtf1 w}"));
        QCOMPARE(kinds(), (QList<int>{work, prog, builtIn}));
        QCOMPARE(newpage::Template_Order(wp, program).front().path, wp + "New Page");
        // A folder of that name is no template.
        QVERIFY(QFile::remove(wp + "New Page"));
        QVERIFY(QDir().mkpath(wp + "New Page"));
        QCOMPARE(kinds(), (QList<int>{prog, builtIn}));
    }
};
TESK_TEST(DocumentNamesTest)

#include "document_names_test.moc"
