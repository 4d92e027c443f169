// A site's links: where each link points, which links a page holds (as a
// browser reads it), what a check reports, and a rename that rewrites them.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"
#include "sitekit/link_check.h"
#include "sitekit/link_rewrite.h"

#include <QDir>

using namespace tesk::test;
using sitekit::Target;

namespace {

// A site in a temporary working folder; files by their path below it.
struct Site {
    TempSite temp;
    QString root = temp.workingFolder();
    void put(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(fs::parentFolder(root + relative));
        if (!writeFile(root + relative, bytes))
            QFAIL("cannot write the site");
    }
    QByteArray get(const QString& relative) const { return readFile(root + relative); }
    sitekit::Site read(bool withSources = false) const
    {
        sitekit::SiteOptions o;
        o.withSources = withSources;
        return sitekit::readSite(root, o);
    }
};

QStringList linkTexts(const QByteArray& html, const QString& base = QStringLiteral("index.html"))
{
    sitekit::SiteFile f;
    f.relative = f.base = base;
    f.bytes = html;
    sitekit::findLinks(f);
    QStringList out;
    for (const sitekit::Link& l : f.links) {
        // The place reported is the link itself, byte for byte.
        const QString raw = QString::fromUtf8(html.mid(l.start, l.length));
        out << (raw.contains(QLatin1Char('&')) || raw == l.text ? l.text : QStringLiteral("misplaced ") + raw);
    }
    return out;
}

const char* kindName(Target::Kind k)
{
    switch (k) {
    case Target::Kind::Local: return "local";
    case Target::Kind::External: return "external";
    case Target::Kind::Leaves: return "leaves";
    case Target::Kind::Other: return "other";
    }
    return "";
}

} // namespace

class SiteLinksTest : public QObject {
    Q_OBJECT

private slots:
    void resolving_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("target");  // kind path [?query] [#fragment]
        QTest::newRow("plain") << "about.html" << "index.html" << "local about.html";
        QTest::newRow("./ in a sub-folder") << "./b.html" << "sub/a.html" << "local sub/b.html";
        QTest::newRow("../ up one") << "../Images/x.gif" << "sub/a.html" << "local Images/x.gif";
        QTest::newRow("/ is the site root") << "/Images/x.gif" << "sub/deep/a.html" << "local Images/x.gif";
        QTest::newRow("%20 decoded") << "my%20page.html" << "index.html" << "local my page.html";
        QTest::newRow("UTF-8 escapes") << "caf%C3%A9.html" << "index.html" << "local café.html";
        QTest::newRow("fragment apart") << "about.html#team" << "index.html" << "local about.html #team";
        QTest::newRow("query apart") << "list.html?page=2#end" << "index.html" << "local list.html ?page=2 #end";
        QTest::newRow("only a fragment") << "#top" << "sub/a.html" << "local sub/a.html #top";
        QTest::newRow("folder") << "sub/" << "index.html" << "local sub/";
        QTest::newRow("backslashes of old sites") << "Images\\x.gif" << "index.html" << "local Images/x.gif";
        QTest::newRow("blanks around") << "  about.html\n" << "index.html" << "local about.html";
        QTest::newRow("above the root") << "../../x.html" << "sub/a.html" << "leaves ../../x.html";
        QTest::newRow("file address") << "file:///C:/site/x.html" << "index.html" << "leaves file:///C:/site/x.html";
        QTest::newRow("drive path") << "C:\\site\\x.html" << "index.html" << "leaves C:\\site\\x.html";
        QTest::newRow("https") << "https://example.org/a" << "index.html" << "external https://example.org/a";
        QTest::newRow("mailto") << "mailto:me@example.org" << "index.html" << "external mailto:me@example.org";
        QTest::newRow("scheme-relative") << "//cdn.example.org/x.js" << "index.html" << "external //cdn.example.org/x.js";
        QTest::newRow("javascript") << "javascript:void(0)" << "index.html" << "other javascript:void(0)";
        QTest::newRow("empty") << "" << "index.html" << "other";
    }
    void resolving()
    {
        QFETCH(QString, link);
        QFETCH(QString, file);
        QFETCH(QString, target);
        const Target t = sitekit::resolve(link, file);
        QStringList parts{QLatin1String(kindName(t.kind))};
        if (!t.path.isEmpty())
            parts << t.path;
        if (!t.query.isEmpty())
            parts << QLatin1Char('?') + t.query;
        if (t.hasFragment)
            parts << QLatin1Char('#') + t.fragment;
        QCOMPARE(parts.join(QLatin1Char(' ')), target);
    }

    void linksOfAPage_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("attributes of every kind")
            << QByteArray("<a href=a.html>x</a><img src='p.gif'><form action=\"go.php\"><video poster=v.jpg>"
                          "<object data=o.svg></object><body background=bg.gif><blockquote cite=c.html>")
            << QStringList{"a.html", "p.gif", "go.php", "v.jpg", "o.svg", "bg.gif", "c.html"};
        QTest::newRow("srcset candidates")
            << QByteArray("<img srcset=\"a.png 1x, b%201.png 2x,c.png\">") << QStringList{"a.png", "b%201.png", "c.png"};
        QTest::newRow("srcset with commas in the address")
            << QByteArray("<img srcset=\"x.png?a,b 100w, y.png 200w\">") << QStringList{"x.png?a,b", "y.png"};
        QTest::newRow("url() in a style attribute")
            << QByteArray("<div style=\"background: url('bg.png') no-repeat; list-style: url(dot.gif)\">")
            << QStringList{"bg.png", "dot.gif"};
        QTest::newRow("style block, its comment skipped")
            << QByteArray("<style>/* url(old.gif) */ body { background: url( \"new.gif\" ) } @import \"more.css\";</style>")
            << QStringList{"new.gif", "more.css"};
        QTest::newRow("meta refresh")
            << QByteArray("<meta http-equiv=\"Refresh\" content=\"5; URL='next.html'\"><meta name=x content=\"a.html\">")
            << QStringList{"next.html"};
        QTest::newRow("not in comments, scripts or text")
            << QByteArray("<!-- <a href=\"gone.html\"> --><script>var s = '<a href=\"js.html\">';</script>"
                          "<p>href=\"text.html\"</p><a href=\"real.html\">")
            << QStringList{"real.html"};
        QTest::newRow("character references decoded")
            << QByteArray("<a href=\"list.php?a=1&amp;b=2\">") << QStringList{"list.php?a=1&b=2"};
        QTest::newRow("formatting tags reopened by the parser, found once")
            << QByteArray("<p><a href=a.html>one<p>two</a>") << QStringList{"a.html"};
    }
    void linksOfAPage()
    {
        QFETCH(QByteArray, html);
        QFETCH(QStringList, links);
        QCOMPARE(linkTexts(html), links);
    }

    void lineAndColumn()
    {
        sitekit::SiteFile f;
        f.relative = f.base = QStringLiteral("a.html");
        f.bytes = "<p>\r\n\xc3\xa9t\xc3\xa9 <a href=\"x.html\">\r\n";
        sitekit::findLinks(f);
        QCOMPARE(f.links.size(), size_t(1));
        QCOMPARE(f.links[0].line, 2);
        QCOMPARE(f.links[0].column, 14);  // characters, not bytes
    }

    void check_data()
    {
        QTest::addColumn<QString>("page");     // content of Final-Pages/page.html
        QTest::addColumn<QStringList>("rows"); // findings other than about the page itself
        QTest::newRow("clean") << "<a href=\"index.html\">" << QStringList{};
        QTest::newRow("missing file") << "<a href=\"index.html\"><a href=\"nope.html\">"
                                      << QStringList{"Final-Pages/page.html:1:31: nope.html: missing file"};
        QTest::newRow("missing fragment") << "<a href=\"index.html#gone\"><a href=\"index.html#here\">"
                                          << QStringList{"Final-Pages/page.html:1:10: index.html#gone: missing fragment"};
        QTest::newRow("a name counts as a fragment") << "<a href=\"index.html#old\">" << QStringList{};
        QTest::newRow("case mismatch")
            << "<a href=\"Index.html\">"
            << QStringList{"Final-Pages/page.html:1:10: Index.html: case mismatch: index.html on disk"};
        QTest::newRow("leaving Final-Pages")
            << "<a href=\"index.html\"><img src=\"../Working-Pages/x.gif\">"
            << QStringList{"Final-Pages/page.html:1:32: ../Working-Pages/x.gif: leaves Final-Pages"};
        QTest::newRow("picture used, folder link opens its index")
            << "<a href=\"./\"><img src=\"Images/used.gif\">" << QStringList{};
    }
    void check()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, rows);
        Site s;
        s.put("Final-Pages/index.html", "<h1 id=\"here\"><a name=\"old\"></a><a href=\"page.html\">");
        s.put("Final-Pages/page.html", page.toUtf8());
        s.put("Final-Pages/Images/used.gif", "GIF89a");
        QStringList got;
        for (const sitekit::Finding& f : sitekit::checkLinks(s.read(), {"html"}))
            if (f.group == sitekit::Finding::Group::Broken)
                got << sitekit::findingLine(f);
        QCOMPARE(got, rows);
    }

    void orphansPicturesAndUnreadable()
    {
        Site s;
        s.put("Final-Pages/index.html", "<a href=\"https://example.org/\">x</a><a href=\"sub/a.htm\">");
        s.put("Final-Pages/sub/a.htm", "<a href=\"../index.html\">");  // index never counts as orphan
        s.put("Final-Pages/lonely.html", "<img src=\"Images/used.gif\">");
        s.put("Final-Pages/Images/used.gif", "GIF89a");
        s.put("Final-Pages/Images/spare.png", "PNG");
        s.put("Final-Pages/binary.html", QByteArray("GIF89a\0\0\1", 9));
        QVERIFY(QFile::link(s.root + "Final-Pages/sub", s.root + "Final-Pages/sub/loop"));
        QStringList got;
        for (const sitekit::Finding& f : sitekit::checkLinks(s.read(), {"html", "htm"}))
            got << sitekit::groupName(f.group) + QStringLiteral(": ") + sitekit::findingLine(f);
        QCOMPARE(got, QStringList({
            "Pages no page links to: Final-Pages/binary.html:1:1: binary.html: no page links to it",
            "Pages no page links to: Final-Pages/lonely.html:1:1: lonely.html: no page links to it",
            "Pictures no page uses: Final-Pages/Images/spare.png:1:1: Images/spare.png: no page uses it",
            "Files not checked: Final-Pages/binary.html:1:1: binary.html: not checked: not a text file",
            "External links: Final-Pages/index.html:1:10: https://example.org/: external link",
        }));
    }

    void renameKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("relative, fragment and query kept")
            << "contact.html"
            << QByteArray("<A  HREF = about.html#team >x</A>\r\n<img\tsrc='./about.html?v=2'>\n<!-- about.html -->")
            << QByteArray("<A  HREF = contact.html#team >x</A>\r\n<img\tsrc='./contact.html?v=2'>\n<!-- about.html -->");
        QTest::newRow("encoded name written encoded")
            << "new page.html" << QByteArray("<a href=\"/about%2Ehtml\"><a href=\"about.html\">")
            << QByteArray("<a href=\"/new%20page.html\"><a href=\"new page.html\">");
        QTest::newRow("unquoted value gets no raw blank")
            << "new page.html" << QByteArray("<a href=about.html>") << QByteArray("<a href=new%20page.html>");
        QTest::newRow("script, comment and other pages untouched")
            << "contact.html"
            << QByteArray("<script>location='about.html'</script><a href=\"sub/about.html\">\xe9<a href=\"#about.html\">")
            << QByteArray("<script>location='about.html'</script><a href=\"sub/about.html\">\xe9<a href=\"#about.html\">");
        QTest::newRow("srcset and url() in place")
            << "c.html" << QByteArray("<img srcset=\"about.html 1x, about.html 2x\" style=\"x:url(about.html)\">")
            << QByteArray("<img srcset=\"c.html 1x, c.html 2x\" style=\"x:url(c.html)\">");
    }
    void renameKeepsEveryOtherByte()
    {
        QFETCH(QString, to);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        Site s;
        s.put("Final-Pages/about.html", "<p>");
        s.put("Final-Pages/index.html", before);
        const sitekit::Site site = s.read(true);
        const sitekit::RenamePlan plan = sitekit::planRename(site, "about.html", to, {});
        QVERIFY(sitekit::applyRename(plan, true).ok);
        QCOMPARE(s.get("Final-Pages/index.html"), after);
    }

    void renameRewritesSourcesAndListsKeepingColours()
    {
        Site s;
        s.put("Final-Pages/about.html", "<p>");
        s.put("Final-Pages/index.html", "<a href=\"about.html\">");
        rtf::Content c;
        c.append(u"<a href=\"", 0x800000);
        c.append(u"about", 0x000080);
        c.append(u".html", 0x008000);
        c.append(u"\">\nText", 0x800000);
        c.fixIndents();
        c.indents[1] = 720;
        s.put("Working-Pages/index.rtf", rtf::write(c, "Arial", 10));
        s.put("Working-Pages/about.rtf", rtf::write(rtf::fromPlainText("<p>"), "Arial", 10));
        s.put("Working-Pages/Image.lst", "<img src=\"x.gif\">\r\n<a href=\"about.html\">About</a>\r\n");
        const sitekit::Site site = s.read(true);
        const auto moves = sitekit::renameMoves(site, "about.html", "contact.html", {"html"});
        const sitekit::RenamePlan plan = sitekit::planRename(site, "about.html", "contact.html", moves, {"Arial", 10});
        QCOMPARE(sitekit::updateQuestion(plan), QStringLiteral("Update 3 links in 3 files?"));
        QVERIFY(sitekit::applyRename(plan, true).ok);

        const rtf::Content now = rtf::read(s.get("Working-Pages/index.rtf"));
        QCOMPARE(now.text, QStringLiteral("<a href=\"contact.html\">\nText"));
        QCOMPARE(now.indents, c.indents);
        // The text before and after the link keeps its colour; the link
        // takes the colour its first character had.
        QCOMPARE(now.colorAt(0), 0x800000u);
        QCOMPARE(now.colorAt(9), 0x000080u);
        QCOMPARE(now.colorAt(20), 0x000080u);
        QCOMPARE(now.colorAt(21), 0x800000u);
        QCOMPARE(now.colorAt(25), 0x800000u);
        QCOMPARE(s.get("Working-Pages/Image.lst"), QByteArray("<img src=\"x.gif\">\r\n<a href=\"contact.html\">About</a>\r\n"));
        QVERIFY(fs::fileExists(s.root + "Working-Pages/contact.rtf"));
        QVERIFY(fs::fileExists(s.root + "Final-Pages/contact.html"));
        QVERIFY(!fs::exists(s.root + "Working-Pages/about.rtf"));
    }

    void failedWriteRestoresEverything_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("second page") << "b.html";
        QTest::newRow("the source") << "index.rtf";
    }
    void failedWriteRestoresEverything()
    {
        QFETCH(QString, failing);
        Site s;
        s.put("Final-Pages/about.html", "<p>");
        for (const char* page : {"a.html", "b.html", "index.html"})
            s.put(QStringLiteral("Final-Pages/") + QLatin1String(page), "<a href=about.html>");
        s.put("Working-Pages/index.rtf", rtf::write(rtf::fromPlainText("<a href=about.html>"), "Arial", 10));
        const QByteArray sourceBefore = s.get("Working-Pages/index.rtf");
        const sitekit::Site site = s.read(true);
        const sitekit::RenamePlan plan = sitekit::planRename(
            site, "about.html", "new.html", sitekit::renameMoves(site, "about.html", "new.html", {"html"}));
        QCOMPARE(plan.files(), 4);
        fullDisk(failing);
        const sitekit::Applied done = sitekit::applyRename(plan, true);
        fullDisk({});
        QVERIFY(!done.ok);
        QVERIFY(done.file.endsWith(failing));
        for (const char* page : {"a.html", "b.html", "index.html"})
            QCOMPARE(s.get(QStringLiteral("Final-Pages/") + QLatin1String(page)), QByteArray("<a href=about.html>"));
        QCOMPARE(s.get("Working-Pages/index.rtf"), sourceBefore);
        QVERIFY(fs::fileExists(s.root + "Final-Pages/about.html"));
        QVERIFY(!fs::exists(s.root + "Final-Pages/new.html"));
    }

    void textOfTheEditor()
    {
        const QString text = QStringLiteral("<p>\u00e9\r\n<a href=\"about.html#x\">about.html</a>");
        const auto edits = sitekit::textEdits(text, "index.html", "about.html", "c.html");
        QCOMPARE(edits, std::vector<sitekit::TextEdit>({{15, 12, QStringLiteral("c.html#x")}}));
    }

    void deleteWarning()
    {
        Site s;
        s.put("Final-Pages/about.html", "<a href=\"about.html\">");
        s.put("Final-Pages/index.html", "<a href=\"about.html\">");
        s.put("Final-Pages/sub/x.html", "<a href=\"../about.html\">");
        s.put("Final-Pages/y.html", "<a href=\"About.html\">");
        const QStringList pages = sitekit::filesLinkingTo(s.read(), "about.html");
        QCOMPARE(sitekit::linkingPagesText("about.html", pages),
                 QStringLiteral("2 pages link to about.html: index.html, sub/x.html"));
    }
};

TESK_TEST(SiteLinksTest)
#include "links_test.moc"
