// The partner of the tag name at a position, as the parser pairs tags.

#include "tesk_test.h"
#include "logic_support.h"

#include "sitekit/matching_tag.h"

class MatchingTagTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "|" is the position; the expected text brackets the name it is on and
    // its partner, and is the text alone when there is no partner.
    void partner_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("outer of nested same tags") << "<|div><div></div></div>" << "<[div]><div></div></[div]>";
        QTest::newRow("inner end tag") << "<div><div></d|iv></div>" << "<div><[div]></[div]></div>";
        QTest::newRow("just after the name") << "<ul|><li>a</li></ul>" << "<[ul]><li>a</li></[ul]>";
        QTest::newRow("attributes, other case") << "<A href=\"</a>\">x</a|>" << "<[A] href=\"</a>\">x</[a]>";
        QTest::newRow("void element") << "<p><b|r></p>" << "<p><br></p>";
        QTest::newRow("in a comment") << "<!-- <d|iv></div> -->" << "<!-- <div></div> -->";
        QTest::newRow("a comment between") << "<div><!-- </div> --></|div>" << "<[div]><!-- </div> --></[div]>";
        QTest::newRow("script text") << "<script>a='</b>'</scr|ipt>" << "<[script]>a='</b>'</[script]>";
        QTest::newRow("left open") << "<div><|p>text</div>" << "<div><p>text</div>";
        QTest::newRow("stray end tag") << "<div></span|></div>" << "<div></span></div>";
        QTest::newRow("in the text") << "<b>te|xt</b>" << "<b>text</b>";
        QTest::newRow("after wide characters") << "é😀<i>x</|i>\r\n" << "é😀<[i]>x</[i]>\r\n";
    }
    void partner()
    {
        QFETCH(QString, text);
        const int at = int(text.indexOf(u'|'));
        text.remove(at, 1);
        const std::optional<sitekit::TagPartners> p = sitekit::TagMap(text).at(at);
        if (p) {
            const auto [first, second] = std::minmax(p->here, p->partner, [](auto a, auto b) { return a.start < b.start; });
            text.insert(second.start + second.length, u']').insert(second.start, u'[');
            text.insert(first.start + first.length, u']').insert(first.start, u'[');
        }
        QTEST(text, "expected");
    }
};
TESK_TEST(MatchingTagTest)

#include "matching_tag_test.moc"
