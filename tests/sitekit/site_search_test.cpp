// Find and replace over a site: which text each kind of search matches,
// what a replace leaves of pages and sources, what it skips, and its undo.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"
#include "sitekit/site_search.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

QByteArray sourceBytes()
{
    rtf::Content c;
    c.append(u"<p class=\"x\">", 0x800000);
    c.append(u"Call 555-1234\nnow", 0x000080);
    c.append(u"</p>", 0x800000);
    c.fixIndents();
    c.indents[1] = 720;
    return rtf::write(c, "Arial", 10);
}

} // namespace

class SiteSearchTest : public QObject {
    Q_OBJECT
private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("how");  // c: match case, w: whole word, r: regular expression
        QTest::addColumn<QString>("expected");  // line:column:length ...
        QTest::newRow("literal, any case") << "Cat cat\r\ncAT" << "cat" << "" << "1:1:3 1:5:3 2:1:3";
        QTest::newRow("match case") << "Cat cat\r\ncAT" << "cat" << "c" << "1:5:3";
        QTest::newRow("whole word") << "cat cats scat cat_ cat." << "cat" << "w" << "1:1:3 1:20:3";
        QTest::newRow("no overlap") << "aaaa" << "aa" << "" << "1:1:2 1:3:2";
        QTest::newRow("regex, lines") << "a1\nb22\nc" << "[0-9]+" << "r" << "1:2:1 2:2:2";
        QTest::newRow("regex, whole word") << "ab abc xab" << "ab\\w*" << "rw" << "1:1:2 1:4:3";
        QTest::newRow("regex, a match taking the CR") << "ab\r\nc" << "b." << "r" << "1:2:2";
        QTest::newRow("regex, a match over the line break") << "ab\r\ncd" << "b\\s+c" << "r" << "1:2:4";
        QTest::newRow("regex, empty matches left out") << "ab" << "x*" << "r" << "";
        QTest::newRow("regex, invalid") << "a(b" << "(" << "r" << "";
        QTest::newRow("special characters are literal") << "a.b a+b" << "a+b" << "" << "1:5:3";
        QTest::newRow("empty find") << "abc" << "" << "" << "";
        QTest::newRow("any case, a page in capitals") << "CALL US\r\ncall Us" << "call us" << "" << "1:1:7 2:1:7";
        QTest::newRow("a find beyond ASCII meets ASCII") << "Kelvin k" << "\u212A" << "" << "1:1:1 1:8:1";
        QTest::newRow("a long line cut around its match")
            << QString(200, 'x') + " Cat " + QString(200, 'y') + "\r\nCAT" << "cat" << "w" << "1:202:3 2:1:3";
        QTest::newRow("a page beyond ASCII") << "caf\u00E9 CAF\u00C9" << "\u00E9" << "" << "1:4:1 1:9:1";
    }
    void matches()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, how);
        QFETCH(QString, expected);
        sitekit::SearchRequest r{find, how.contains('c'), how.contains('w'), how.contains('r')};
        QStringList found;
        for (const sitekit::Hit& h : sitekit::findInText(text, r)) {
            QCOMPARE(h.lineText.mid(h.inLine, h.length), text.mid(h.start, h.length));
            found << QStringLiteral("%1:%2:%3").arg(h.line).arg(h.column).arg(h.length);
        }
        QCOMPARE(found.join(' '), expected);
        // The same found in the page on disk, however the search reads it.
        QTemporaryDir dir;
        const sitekit::SearchFile page{dir.filePath("a.htm"), "a.htm", "a.htm", false};
        QVERIFY(fs::writeBytes(page.path, text.toUtf8()) == fs::Result::Ok);
        sitekit::SearchCache cache;
        const std::vector<sitekit::FileResult> onDisk = sitekit::searchSite({page}, r, cache);
        QVERIFY((onDisk.empty() ? std::vector<sitekit::Hit>{} : onDisk[0].hits) == sitekit::findInText(text, r));
    }

    // Every file of a site found and replaced: pages keep every other byte,
    // sources their other text, colours and indents; a file changed since
    // the search and one that cannot be written are named and left as
    // they were; undo puts back every file the replace wrote.
    void replaceAndUndo()
    {
        TempSite site;
        const QString root = site.workingFolder();
        const QByteArray page = "<p>\x93" "Call\x94 555-1234 \xc3\xa9</p>\r\n<p>555-1234</p>";  // a Windows-1252 quote, UTF-8 é
        const QByteArray untouched = "<p>555-1234</p>";
        QDir().mkpath(root + "Final-Pages/full");
        QDir().mkpath(root + "Working-Pages");
        QVERIFY(writeFile(root + "Final-Pages/contact.html", page));
        QVERIFY(writeFile(root + "Final-Pages/later.html", untouched));
        QVERIFY(writeFile(root + "Final-Pages/picture.html", QByteArray("GIF89a\0\0\x01", 9)));
        QVERIFY(writeFile(root + "Final-Pages/index.html", "from the source"));
        QVERIFY(writeFile(root + "Working-Pages/index.rtf", sourceBytes()));
        QVERIFY(writeFile(root + "Final-Pages/full/x.html", untouched));
        FullFileSystem full(root + "Final-Pages/full");
        if (!full.mounted())  // Not root: the failure is injected instead.
            fullDisk("Final-Pages/full/");

        const sitekit::SearchRequest r{"555-(\\d+)", true, false, true};
        sitekit::SearchCache cache;
        const auto files = sitekit::searchFiles(root, {"html"}, sitekit::SearchRequest::Where::Both);
        const auto results = sitekit::searchSite(files, r, cache);
        QCOMPARE(sitekit::countText(results), QStringLiteral("5 matches in 4 files"));
        QCOMPARE(results.back().file.shown, QStringLiteral("Final-Pages/picture.html"));
        QCOMPARE(results.back().skipped, QStringLiteral("not a text file"));
        QVERIFY(writeFile(root + "Final-Pages/later.html", untouched + " "));

        const QString backups = site.path("backups");
        const sitekit::ReplaceOutcome out = sitekit::replaceInSite(results, r, "\\1\n9", backups);
        QCOMPARE(out.files, 2);
        QCOMPARE(out.matches, 3);
        QCOMPARE(out.changedSince, QStringList{"Final-Pages/later.html"});
        QCOMPARE(out.failed.size(), 1);
        QVERIFY(out.failed[0].startsWith("Final-Pages/full/x.html: "));
        fullDisk("");
        QCOMPARE(readFile(root + "Final-Pages/full/x.html"), untouched);
        QCOMPARE(readFile(root + "Final-Pages/contact.html"),
                 QByteArray("<p>\x93" "Call\x94 1234\r\n9 \xc3\xa9</p>\r\n<p>1234\r\n9</p>"));
        const rtf::Content now = rtf::read(readFile(root + "Working-Pages/index.rtf"));
        QCOMPARE(now.text, QStringLiteral("<p class=\"x\">Call 1234\n9\nnow</p>"));
        QCOMPARE(now.colorAt(0), 0x800000u);
        QCOMPARE(now.colorAt(20), 0x000080u);
        QCOMPARE(now.colorAt(int(now.text.size()) - 1), 0x800000u);
        QCOMPARE(now.indents.size(), size_t(3));
        QCOMPARE(now.indents[2], 720);
        QCOMPARE(readFile(root + "Final-Pages/index.html"), QByteArray("<p class=\"x\">Call 1234\r\n9\r\nnow</p>"));

        QVERIFY(writeFile(root + "Final-Pages/index.html", "edited since"));
        const sitekit::UndoOutcome undo = sitekit::undoReplace(out.backups);
        QCOMPARE(undo.restored, 2);
        QCOMPARE(undo.changedSince, QStringList{"Final-Pages/index.html"});
        QCOMPARE(readFile(root + "Final-Pages/contact.html"), page);
        QCOMPARE(readFile(root + "Working-Pages/index.rtf"), sourceBytes());
        QCOMPARE(readFile(root + "Final-Pages/index.html"), QByteArray("edited since"));
    }
};

TESK_TEST(SiteSearchTest)
#include "site_search_test.moc"
