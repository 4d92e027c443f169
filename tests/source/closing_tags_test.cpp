// Which ">" brings its end tag along, and which names are offered where,
// read off the colour scan as the editor holds it; '|' marks the caret.

#include "tesk_test.h"
#include "logic_support.h"

#include "source/closing_tags.h"
#include "source/completion.h"

using namespace completion;

namespace {

// The scan of a text given with its caret, and the caret.
std::pair<int, std::unique_ptr<colorcode::LiveColors>> scanned(QString text)
{
    const int caret = int(text.indexOf(u'|'));
    text.remove(caret, 1);
    auto model = std::make_unique<colorcode::LiveColors>();
    model->reset(text);
    return {caret, std::move(model)};
}

const HtmlNames& shipped()
{
    static const HtmlNames n = Read_Html_Names(QStringLiteral(TESK_SOURCE_DIR "/resources/html_names.txt"));
    return n;
}

} // namespace

class ClosingTagsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closingTag_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("closing");
        QTest::newRow("start tag") << "<p>|" << "</p>";
        QTest::newRow("with attributes, capitals kept") << "<DIV class=\"a b\">|\r\ntext" << "</DIV>";
        QTest::newRow("void") << "<br>|" << "";
        QTest::newRow("old void") << "<BaseFont size=3>|" << "";
        QTest::newRow("self-closed") << "<span/>|" << "";
        QTest::newRow("end tag") << "<p>x</p>|" << "";
        QTest::newRow("end tag follows") << "<p>|\r\n  text</P>" << "";
        QTest::newRow("only a sibling's end tag follows") << "<ul><li>|<li>b</li></ul>" << "</li>";
        QTest::newRow("the parent ends first") << "<div><p>|</div></p>" << "</p>";
        QTest::newRow("end tag in a comment") << "<p>|<!-- </p> -->" << "</p>";
        QTest::newRow("in a comment") << "<!-- <p>| -->" << "";
        QTest::newRow("in a script") << "<script>if (a <b>| c) x();</script>" << "";
        QTest::newRow("the script tag") << "<script>|" << "</script>";
        QTest::newRow("in a style rule") << "<style>div>|p{}</style>" << "";
        QTest::newRow("in a quoted value") << "<a title=\"x>|\">" << "";
        QTest::newRow("in text") << "a >| b" << "";
        QTest::newRow("server block") << "<?php echo 1 ?>|" << "";
    }
    void closingTag()
    {
        QFETCH(QString, typed);
        QFETCH(QString, closing);
        const auto [caret, model] = scanned(typed);
        QCOMPARE(closetags::Closing_Tag(*model, caret - 1), closing);
    }

    // Kind, then the first names offered.
    void namesOffered_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("offered");
        QTest::newRow("after <") << "<|" << "element: a abbr address";
        QTest::newRow("filtered, any case") << "<TA|\r\n<p>" << "element: table";
        QTest::newRow("end tag") << "</|" << "none: ";
        QTest::newRow("in <img ") << "<img |" << "attribute img: accesskey alt autocapitalize";
        QTest::newRow("its own and global ones") << "<img s|>" << "attribute img: sizes slot spellcheck";
        QTest::newRow("after a value") << "<a href=\"x\" hr|" << "attribute a: href hreflang";
        QTest::newRow("in a value") << "<img alt=\"a |" << "none: ";
        QTest::newRow("after &") << "&|" << "entity: AElig AMP Aacute";
        QTest::newRow("entity filtered") << "x &nbs|" << "entity: nbsp";
        QTest::newRow("closed by >") << "<p>|" << "none: ";
        QTest::newRow("closed by /") << "<br/|" << "none: ";
        QTest::newRow("closed by =") << "<p id=|" << "none: ";
        QTest::newRow("closed by ;") << "&amp;|" << "none: ";
        QTest::newRow("plain text") << "<p>so |" << "none: ";
        QTest::newRow("in a comment") << "<!-- <|" << "none: ";
        QTest::newRow("in a script") << "<script>a <|</script>" << "none: ";
        QTest::newRow("no such name") << "<zz|" << "element: ";
    }
    void namesOffered()
    {
        QFETCH(QString, typed);
        QFETCH(QString, offered);
        const auto [caret, model] = scanned(typed);
        const Context c = Context_At(*model, caret);
        const QStringList kinds{"none", "element", "attribute", "entity"};
        QString got = kinds[int(c.kind)] + (c.element.isEmpty() ? "" : " " + c.element) + ":";
        for (const QString& n : Names_For(shipped(), c).mid(0, 3))
            got += " " + n;
        QCOMPARE(got.trimmed(), offered.trimmed());
    }

    // The file's lines: what is damaged gives no name; nothing else fails.
    void namesFile()
    {
        const HtmlNames n = Parse_Html_Names(u"# x\r\n<P> Class  id\r\n<*> title\n<1x> y\n<> z\n&amp;\n&bad\n&a b;\n<a");
        QCOMPARE(n.elements, QStringList{"p"});
        QCOMPARE(n.attributes.value("p"), (QStringList{"class", "id"}));
        QCOMPARE(n.globals, QStringList{"title"});
        QCOMPARE(n.entities, QStringList{"amp"});
        QVERIFY(shipped().entities.size() > 2000 && shipped().elements.contains("wbr"));
    }
};
TESK_TEST(ClosingTagsTest)

#include "closing_tags_test.moc"
