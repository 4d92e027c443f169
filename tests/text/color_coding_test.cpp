// The colour-coding scan: which slot every character gets.
// Expected colours are written one character per character of the text:
// the slot digit 0-3, or '.' for a character that keeps its old colour.

#include "tesk_test.h"
#include "logic_support.h"

#include "text/color_coding.h"

#include "../../bench/html_sample.h"

#include <QRandomGenerator>

using colorcode::Searches;

namespace {

QString digits(const std::vector<qint8>& perChar)
{
    QString s;
    for (const qint8 v : perChar)
        s += v < 0 ? QLatin1Char('.') : QLatin1Char(char('0' + v));
    return s;
}

QString scan(const QString& text, int start = 0, int length = 0, Searches searches = Searches::Remembered)
{
    return digits(colorcode::Color_Code_Slots(text, start, length, nullptr, searches));
}

// The same from the runs: they must be ordered, apart, and cover exactly
// the coloured characters.
QString scanRuns(const QString& text, int start = 0, int length = 0)
{
    std::vector<qint8> perChar(size_t(text.size()), colorcode::kKeep);
    int end = 0;
    for (const colorcode::SlotRun& r : colorcode::Color_Code_Runs(text, start, length)) {
        if (r.length < 1 || r.start < end)
            return QStringLiteral("runs out of order at %1").arg(r.start);
        std::fill_n(perChar.begin() + r.start, r.length, qint8(r.slot));
        end = r.start + r.length;
    }
    return digits(perChar);
}

// Short texts built from the pieces the rules care about, so that random
// mixtures reach every rule and its corner cases.
QString randomText(QRandomGenerator& rng, int pieces)
{
    static const char* const bits[] = {
        "<", ">", "/", "!", "-", "&", ";", " ", "=", "\"", "_", "{", "}", ":", "*", "%", "?",
        "\r\n", "\n", "a", "b", "x_y", "p", "<style>", "</style>", "<STYLE", "</STYLE>",
        "<script>", "</script>", "<SCRIPT type=x>", "<?php", "<?", "?>", "<%", "%>", "/*", "*/",
        "//", "rem ", "REM ", "<!--", "-->", "<!", "=\"", "/>", "&amp;", "<b>", "</b>",
        "<br />", "<a href=\"x_y.htm\">", "p{color:red}", "a:b;", "\t"};
    QString s;
    for (int i = 0; i < pieces; ++i)
        s += QLatin1String(bits[rng.bounded(int(std::size(bits)))]);
    return s;
}

// A page as the editor holds it: CR LF breaks whatever the file had.
QString readSample(const QString& path)
{
    return QString::fromUtf8(tesk::test::readFile(path)).replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

} // namespace

class ColorCodingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Where the colouring rules as written leave characters in a colour from
    // before (the first character of a page that begins with plain text, the
    // first letter after "{" and the last character of a style block) or do
    // not see a server block at the very start, the scan colours them.
    void slotsOfEachRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");

        auto row = [](const char* name, const char* text, const char* expected, int start = 0,
                      int length = 0) {
            QTest::newRow(name) << QString::fromLatin1(text) << start << length
                                << QString::fromLatin1(expected);
        };
        row("empty text", "", "");
        row("plain text only", "Hello", "00000");
        row("self-closing tag: '>' starts the text after it", "<br />", "111310");
        row("tag with attributes", "<p align=\"center\">x</p>", "11333333330000003101111");
        row("value with an underscore name", "<a href=\"x_y.htm\">link</a>", "11333333311100003100001111");
        row("value that starts with an underscore", "<a target=\"_top\">", "11333333333111131");
        row("empty value stays in attribute colour", "<a b=\"\">", "11333331");
        row("value without closing quote", "<a b=\"c_d>", "1133333331");
        row("value right after a value's closing quote is skipped", "<a b=\"x\"=\"c_d\">", "113333033333331");
        row("empty value right before another", "<a b=\"\"=\"x_y\">", "11333333311131");
        row("value right after the first character", "a=\"x_y\"", "0001110");
        row("'<>' is a tag", "<>x", "110");
        row("a blank right after '<' starts the attributes", "< a>", "1331");
        row("tag without blank: no attribute area", "<a\r\nhref=\"x\">", "1111111111011");
        row("'<' without '>' is skipped", "a < b", "00.00");
        row("'</>'", "</>", "110");
        row("entity", "x&amp;y", "0111110");
        row("'&' runs to the next ';', however far", "Fish & chips; more", "000001111111100000");
        row("'&;'", "a&;b", "0110");
        row("'&' right before a blank", "a & b", "00100");
        row("'&' without ';' runs to the blank", "a &b c", "001100");
        row("'&' with neither ';' nor blank", "a &b", "00.0");
        row("comment", "<!-- x -->y", "22222222220");
        row("comment holding '>'", "<!-- a > b -->c", "222222222222220");
        row("comment '<!-->' closes itself", "<!-->a", "222220");
        row("unclosed comment runs to the end", "a<!-- x", "0222222");
        row("declaration", "<!DOCTYPE html>", "222222222222222");
        row("unclosed declaration at the very end", "a<!", "022");
        row("style rule", "<style>p{color:red}</style>", "111111111333333000111111111");
        row("style value cut short by </style>", "<style>p{color:red</style>", "11111111133333300011111111");
        row("empty style block", "<style></style>x", "1111111111111110");
        row("style: a '{' right after the tag counts as none", "<style>{a{b:c}</style>", "1111111111111111111111");
        row("style: upper-case tags", "<STYLE>p{aa:bc}</STYLE>", "11111111133300111111111");
        row("style: '<Style' is an ordinary tag", "<Style>p{aa:bc}</Style>", "11111110000000011111111");
        row("style: ':' right after the property's first letter counts as none",
            "<STYLE>p{a:bc}</STYLE>", "1111111113333111111111");
        row("style: blanks and line break", "<style>\r\np { color: red }\r\n</style>",
            "11111111111133333330000011111111111");
        row("style without end tag runs to the end", "<style>\r\np { color: red }", "1111111111113333333000001");
        row("style: two rules, the second property after ';'",
            "<style>a{bb:cc;dd:ee}f{gg:hh}</style>", "1111111113330033330011133300111111111");
        row("style comment; the character before it keeps its colour",
            "<style>\r\n/* c */\r\na{bb:cc}</style>", "11111111.2222222111133300111111111");
        row("style: a '/*' two characters after '{' wins", "<style>a{b/*c*/}</style>", "111111111.22222111111111");
        row("style: a '/*' three characters after '{' is inside", "<style>a{bc/*d*/}</style>",
            "1111111113333333111111111");
        row("style comment right after the tag is read as selector",
            "<style>/* c */a{bb:cc}</style>", "111111111111111133300111111111");
        row("script body, names and comments",
            "<script>a_b=1; // c_d\r\n/* e */ rem x\r\n</script>",
            "11111111111000022222220222222202222220111111111");
        row("'//' in a quoted string starts a comment",
            "<script>\r\nu=\"http://x\";\r\n</script>",
            "1111111100000000002222220111111111");
        row("script hidden in an HTML comment",
            "<script>\r\n<!--\r\nf();\r\n//-->\r\n</script>",
            "11111111222222200000002222220111111111");
        row("script hidden in an HTML comment, a name right after it", "<script><!--x_y\r\n</script>",
            "11111111222221110222222222");
        row("script: an 'r' alone is no 'rem '", "<script>r; rem x\r\n</script>", "111111110002222220111111111");
        row("script: 'rem ' at the very end", "<script>x rem ", "11111111002222");
        row("script: '/*/' closes itself", "<script>a/*/b</script>", "1111111102220111111111");
        row("script: two comments back to back", "<script>/*a*//*b*/c</script>", "1111111122222222220111111111");
        row("empty script, then a server block", "<script></script><% a %>", "111111111111111111100011");
        row("script holding only '<!--'", "<script><!--</script>", "111111112222222222222");
        row("upper-case script tag and REM", "<SCRIPT>x//y\r\nREM z\r\n</SCRIPT>", "111111110222202222220111111111");
        row("unclosed '/*' in a script runs to its end", "<script>a/*b</script>", "111111110222111111111");
        row("script tag without '>' ends the block search", "<script <? a_b", ".0000000.00000");
        row("server block <% %>", "x<% a %>", "01100011");
        row("server block <% %> at the very start", "<% x %>", "1100011");
        row("server block: a name runs up to its end", "<%a_b%>x", "11111110");
        row("server block <?php ?> not at the start", "x<?php a_b ?>", "0111110111011");
        row("server block <?php ?> at the very start", "<?php echo $a_b; ?>", "1111100000011110011");
        row("server blocks '<?PHP' and '<?ph': only '<?' is the marker", "<?PHP a?><?ph?>", "110000011110011");
        row("server blocks one after the other", "<%a%><?b?>", "1101111011");
        row("unclosed server block runs to the end", "a<? b", "01100");
        row("unclosed server block ending in a name with '_'", "<?a_b", "11111");
        row("selection: only it is coloured", "<b>x</b><i>y</i>", "...01111........", 3, 5);
        row("selection ending inside a tag", "<b>xy</b>", "...00....", 3, 3);
        row("selection: value search starts after its first character", "=\"a_b\" c", "00000000", 0, 8);
        row("selection: an open style comment never reaches past it", "<style>\r\n/* a b", "11111111.222...", 0, 12);
        row("selection ending inside '</style>'", "<style>a{b:c}</style>x", "1111111113331.00......", 0, 16);
    }
    void slotsOfEachRule()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QTEST(scan(text, start, length), "expected");
        QTEST(scan(text, start, length, Searches::Afresh), "expected");
        QTEST(scanRuns(text, start, length), "expected");
    }

    // Remembered searches against searches made afresh every time, on
    // thousands of random mixtures and selections; the runs say the same,
    // and nothing outside a selection is coloured.
    void rememberedSearchesFindWhatFreshOnesFind()
    {
        QRandomGenerator rng(20240605);
        for (int round = 0; round < 4000; ++round) {
            const QString text = randomText(rng, 1 + rng.bounded(40));
            int start = 0, length = 0;
            if (round % 3) {
                start = rng.bounded(int(text.size()) + 1);
                length = rng.bounded(int(text.size()) - start + 1);
            }
            const QString fast = scan(text, start, length);
            const QString slow = scan(text, start, length, Searches::Afresh);
            const auto kept = [](const QString& s) { return s.count(QLatin1Char('.')) == s.size(); };
            const bool outsideKept = length == 0 || (kept(fast.left(start)) && kept(fast.mid(start + length)));
            if (fast != slow || scanRuns(text, start, length) != fast || !outsideKept)
                QFAIL(qPrintable(QStringLiteral("text \"%1\" selection %2+%3\n  remembered %4\n  afresh     %5")
                                     .arg(text, QString::number(start), QString::number(length), fast, slow)));
        }
    }

    // Texts that make searches done afresh each time go over the rest of the text
    // from every position. The work must stay within a small multiple of
    // the length (a quadratic scan would look at about n*n/2 characters).
    void searchingStaysLinear_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("'&' without ';'") << QString(50000, QLatin1Char('&'));
        QTest::newRow("'& ' without ';'") << QStringLiteral("& ").repeated(25000);
        QTest::newRow("'<' without '>'") << QString(50000, QLatin1Char('<'));
        QTest::newRow("'<!' without '>'") << QStringLiteral("a<!").repeated(20000);
        QTest::newRow("values without closing quote") << QStringLiteral("=\"").repeated(25000);
        QTest::newRow("empty values") << QStringLiteral("=\"\"").repeated(20000);
        QTest::newRow("underscores") << QStringLiteral("<a b=\"") + QString(50000, QLatin1Char('_'));
        QTest::newRow("script openings") << QStringLiteral("<script").repeated(8000);
        QTest::newRow("server blocks without end") << QStringLiteral("<?a<%").repeated(10000);
        QTest::newRow("style tags without end") << QStringLiteral("<style>a{b:").repeated(5000);
        QTest::newRow("script comments") << QStringLiteral("<script>") + QStringLiteral("/*//rem ").repeated(6000);
        QTest::newRow("sample page") << tesk::sample::Sample_Html(50000);
    }
    void searchingStaysLinear()
    {
        QFETCH(QString, text);
        colorcode::ScanTrace trace;
        colorcode::Color_Code_Slots(text, 0, 0, &trace);
        QVERIFY2(trace.searched <= 64LL * text.size(),
                 qPrintable(QStringLiteral("%1 characters searched for a text of %2").arg(trace.searched).arg(text.size())));
    }

    // Generated and real pages: a selection that starts and ends between
    // elements gets the colours the whole page gives it, and nothing else.
    void selectionsOfWholePages_data()
    {
        QTest::addColumn<QString>("text");
        for (std::uint32_t seed = 1; seed <= 4; ++seed)
            QTest::addRow("generated %u", seed) << tesk::sample::Sample_Html(6000, seed);
        for (const char* file : {"tests/text/data/club_page.html", "tests/text/data/order_form.php",
                                 "resources/TeskEdit.htm", "resources/Samples/index.html"})
            QTest::newRow(file) << readSample(QStringLiteral(TESK_SOURCE_DIR "/") + QLatin1String(file));
    }
    void selectionsOfWholePages()
    {
        QFETCH(QString, text);
        QVERIFY(text.size() > 500);
        colorcode::ScanTrace trace;
        const std::vector<qint8> whole = colorcode::Color_Code_Slots(text, 0, 0, &trace);
        QCOMPARE(scanRuns(text), digits(whole));

        // Element starts outside every style, value, script and server block
        // (the ">" of a self-closing tag starts a text run, but it belongs
        // to the tag: no selection ends between the two).
        std::vector<char> inside(size_t(text.size()) + 1, 0);
        for (const auto& [first, last] : trace.blocks)
            for (int i = first + 1; i <= std::min(last, int(text.size())); ++i)
                inside[size_t(i)] = 1;
        std::vector<int> cuts;
        for (const int e : trace.elementStarts)
            if (!inside[size_t(e)] && text[e] != QLatin1Char('>'))
                cuts.push_back(e);
        cuts.push_back(int(text.size()));
        QVERIFY(cuts.size() > 20);

        QRandomGenerator rng(99);
        for (int round = 0; round < 60; ++round) {
            const int a = cuts[rng.bounded(int(cuts.size()))], b = cuts[rng.bounded(int(cuts.size()))];
            const int first = std::min(a, b), end = std::max(a, b);
            if (first == end)
                continue;  // no selection: the whole text
            std::vector<qint8> want(whole.size(), colorcode::kKeep);
            std::copy(whole.begin() + first, whole.begin() + end, want.begin() + first);
            const std::vector<qint8> part = colorcode::Color_Code_Slots(text, first, end - first);
            if (part != want)
                QFAIL(qPrintable(QStringLiteral("selection %1-%2 differs from the whole page's colours")
                                     .arg(first).arg(end)));
        }
    }

    // Colouring while typing: after every edit of a long random series the
    // kept colours are those of Color Code over the whole text, and an
    // editor that took only the runs each edit reported (typed text in the
    // colour before it) shows them too.
    void liveColorsFollowEveryEdit_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("edits");
        for (quint32 seed : {1u, 203u, 357u})
            QTest::addRow("empty text, pieces typed, seed %u", seed) << QString() << seed << 3000;
        QTest::newRow("generated page") << tesk::sample::Sample_Html(4000, 7) << 2u << 1500;
        QTest::newRow("club page") << readSample(QStringLiteral(TESK_SOURCE_DIR "/tests/text/data/club_page.html")) << 3u << 800;
        QTest::newRow("php form") << readSample(QStringLiteral(TESK_SOURCE_DIR "/tests/text/data/order_form.php")) << 4u << 800;
    }
    void liveColorsFollowEveryEdit()
    {
        QFETCH(QString, start);
        QFETCH(quint32, seed);
        QFETCH(int, edits);
        QRandomGenerator rng(seed);
        QString text = start;
        colorcode::LiveColors live;
        live.reset(text);
        std::vector<qint8> shown = colorcode::Color_Code_Slots(text, 0, 0);
        for (int round = 0; round < edits; ++round) {
            const int pos = text.isEmpty() ? 0 : int(rng.bounded(int(text.size()) + 1));
            const int removed = rng.bounded(4) == 0 ? int(rng.bounded(std::min<int>(40, int(text.size()) - pos) + 1)) : 0;
            const QString inserted = rng.bounded(5) == 0 ? QString() : randomText(rng, 1 + int(rng.bounded(3)));
            text.replace(pos, removed, inserted);
            const qint8 caret = pos > 0 ? shown[size_t(pos - 1)] : qint8(0);
            shown.erase(shown.begin() + pos, shown.begin() + pos + removed);
            shown.insert(shown.begin() + pos, size_t(inserted.size()), caret);
            for (const colorcode::SlotRun& r : live.edit(pos, removed, inserted))
                std::fill_n(shown.begin() + r.start, r.length, qint8(r.slot));
            const std::vector<qint8> want = colorcode::Color_Code_Slots(text, 0, 0);
            const QString where = QStringLiteral("seed %1, edit %2 at %3 (-%4 +\"%5\")")
                                      .arg(seed).arg(round).arg(pos).arg(removed).arg(inserted);
            if (live.slotsOf(0, int(text.size())) != want || live.text() != text)
                QFAIL(qPrintable(QStringLiteral("kept colours differ after ") + where));
            for (size_t i = 0; i < want.size(); ++i)
                if (want[i] != colorcode::kKeep && shown[i] != want[i])
                    QFAIL(qPrintable(QStringLiteral("position %1 not recoloured after ").arg(i) + where));
        }
    }

    // An edit recolours only as far as the scan's course changed: a letter
    // in text itself alone, a new tag up to its end, a comment opened up to
    // the next close. (Colours given by hand further on stay.)
    void liveColorsStayNearTheEdit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("reachFrom");
        QTest::addColumn<int>("reachTo");  // in the text after the edit
        const QString page = QStringLiteral("<p>Hello world</p>\r\n<b>x</b>\r\n<!-- c -->\r\n<p>d</p>\r\n");
        QTest::newRow("a letter in text") << page << 5 << "a" << 5 << 6;
        QTest::newRow("a letter in a tag") << page << 1 << "a" << 1 << 2;
        QTest::newRow("a tag typed into text") << page << 9 << "<i>" << 9 << 12;
        QTest::newRow("a comment opened") << page << 0 << "<!--" << 0 << 34;
        QTest::newRow("a line break") << page << 18 << "\r\n" << 18 << 20;
        QTest::newRow("attributes in a tag") << page << 22 << " a=\"" << 22 << 26;
    }
    void liveColorsStayNearTheEdit()
    {
        QFETCH(QString, text);
        QFETCH(int, pos);
        QFETCH(QString, inserted);
        QFETCH(int, reachFrom);
        QFETCH(int, reachTo);
        colorcode::LiveColors live;
        live.reset(text);
        const std::vector<colorcode::SlotRun> runs = live.edit(pos, 0, inserted);
        QVERIFY(!runs.empty());
        QCOMPARE(runs.front().start, reachFrom);
        QCOMPARE(runs.back().start + runs.back().length, reachTo);
    }
};
TESK_TEST(ColorCodingTest)

#include "color_coding_test.moc"
