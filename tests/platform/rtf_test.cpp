// Reading and writing source files: our own files round-trip exactly, files
// of other writers load with their text, colours and indents, and damaged
// files load what can be read without crashing or hanging.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/palette.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {

const quint32 kBlue = Palette_Color(9), kRed = Palette_Color(12), kGreen = Palette_Color(2);

QByteArray fixture(const QString& name) { return tesk::test::readFile(tesk::test::dataPath("rtf/" + name)); }

// The rules every result of the reader keeps, whatever the input.
void checkWellFormed(const rtf::Content& c)
{
    QCOMPARE(c.indents.size(), size_t(c.text.count(u'\n')) + 1);
    QVERIFY(!c.text.contains(u'\r') && !c.text.contains(QChar(0)));
    QCOMPARE(c.colors.empty(), c.text.count(u'\n') == c.text.size());
    for (size_t i = 0; i < c.colors.size(); ++i) {
        const rtf::ColorChange& cc = c.colors[i];
        QVERIFY(cc.start >= 0 && cc.start < c.text.size());
        if (i == 0) {
            QCOMPARE(cc.start, 0);
        } else {
            QVERIFY(cc.start > c.colors[i - 1].start && cc.bgr != c.colors[i - 1].bgr);
            QVERIFY(c.text[cc.start] != u'\n');
        }
    }
}

// The colours of the characters that are not line breaks, one letter a run:
// K black, B blue, R red, G green.
QString colourString(const rtf::Content& c)
{
    QString s;
    for (int i = 0; i < c.text.size(); ++i) {
        const quint32 bgr = c.colorAt(i);
        const QChar k = bgr == 0 ? u'K' : bgr == kBlue ? u'B' : bgr == kRed ? u'R' : bgr == kGreen ? u'G' : u'?';
        if (c.text[i] != u'\n' && !s.endsWith(k))
            s += k;
    }
    return s;
}

rtf::Content randomContent(QRandomGenerator& rng)
{
    static const char16_t* const bits[] = {
        u"<p>", u"a", u" ", u"\t", u"\n", u"\n", u"{", u"}", u"\\", u"\u00e9", u"\u20ac",
        u"\u2013", u"\u0416", u"\u4e2d", u"\U0001F600", u"\u00a0", u"\u00ff", u"\u0081", u"?",
        u"\u0008", u"par", u";"};
    static const quint32 colours[] = {0, kBlue, kRed, kGreen, 0x123456};
    rtf::Content c;
    for (int i = rng.bounded(40); i > 0; --i)
        c.append(QString::fromUtf16(bits[rng.bounded(int(std::size(bits)))]),
                 colours[rng.bounded(int(std::size(colours)))]);
    c.fixIndents();
    for (int& ind : c.indents)
        ind = rng.bounded(3) == 0 ? int(rng.bounded(5)) * 360 - 360 : 0;
    return c;
}

} // namespace

class RtfWriterTest : public QObject {
    Q_OBJECT
private slots:
    void generatedDocumentsRoundTrip()
    {
        QRandomGenerator rng(77);
        for (int i = 0; i < 2000; ++i) {
            const rtf::Content c = randomContent(rng);
            const QByteArray bytes = rtf::write(c, QStringLiteral("Arial"), 10);
            QVERIFY(rtf::isRtf(bytes));
            if (!(rtf::read(bytes) == c))
                QFAIL(qPrintable(QStringLiteral("round trip %1 differs:\n%2").arg(i).arg(QString::fromLatin1(bytes))));
        }
        const rtf::Content empty = rtf::fromPlainText(QString());
        QCOMPARE(rtf::read(rtf::write(empty, QString(), 0)), empty);
    }

    // The exact form of a small file: one font, a colour table of the
    // colours used, \cf per change, \li per indent change, escapes, and a
    // closing \par that adds no line break.
    void writerForm()
    {
        rtf::Content c;
        c.append(u"<b>", kBlue);
        c.append(u"x\u00e9\u0416{}\\\t", 0);
        c.append(u"\n", 0);
        c.append(u"y", kBlue);
        c.fixIndents();
        c.indents = {0, 720};
        QCOMPARE(rtf::write(c, QStringLiteral("Courier New"), 12),
                 QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n"
                            "{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}\r\n"
                            "\\viewkind4\\pard\\f0\\fs24 \\cf1 <b>\\cf2 x\\'e9\\u1046?\\{\\}\\\\\\tab \\par\r\n"
                            "\\pard\\li720 \\cf1 y\\par\r\n}\r\n"));
        // A text that ends in a line break keeps it.
        c.append(u"\n", kBlue);
        c.indents.push_back(720);
        const QByteArray bytes = rtf::write(c, QStringLiteral("Arial"), 10);
        QVERIFY(bytes.endsWith("\\par\r\n\\par\r\n}\r\n"));
        QCOMPARE(rtf::read(bytes), c);
    }
};
TESK_TEST(RtfWriterTest)

class RtfReaderTest : public QObject {
    Q_OBJECT
private slots:
    void cases_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");     // '\n' for a line break
        QTest::addColumn<QString>("colours");  // see colourString
        QTest::addColumn<QString>("indents");  // every line's
        auto row = [](const char* name, const QByteArray& rtf, const QString& text,
                      const char* colours = "K", const char* indents = "0") {
            QTest::newRow(name) << rtf << text << QString::fromLatin1(colours) << QString::fromLatin1(indents);
        };
        auto withTable = [](const char* body) {
            return QByteArray("{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}") + body + "}";
        };
        auto u = [](const char16_t* s) { return QString::fromUtf16(s); };
        row("plain words", "{\\rtf1 abc}", "abc");
        row("closing par adds no break", "{\\rtf1 a\\par}", "a");
        row("two pars keep one break", "{\\rtf1 a\\par\\par}", "a\n", "K", "0,0");
        row("text after the last par", "{\\rtf1 a\\par b}", "a\nb", "K", "0,0");
        row("only a par", "{\\rtf1 \\par}", "", "");
        row("par then closing groups", "{\\rtf1 a\\par {\\*\\x y}}", "a");
        row("line and tab", "{\\rtf1 a\\line b\\tab c}", "a\nb\tc", "K", "0,0");
        row("escapes", "{\\rtf1 \\{x\\}\\\\}", "{x}\\");
        row("raw line ends ignored", "{\\rtf1 a\r\nb}", "ab");
        row("backslash line end is a par", "{\\rtf1 a\\\r\nb}", "a\nb", "K", "0,0");
        row("1252 by default", "{\\rtf1 \\'e9\\'80}", u(u"\u00e9\u20ac"));
        row("ansicpg 1251", "{\\rtf1\\ansi\\ansicpg1251 \\'e9}", u(u"\u0439"));
        row("font charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset161 G;}}\\f1\\'d9\\f0\\'d9}", u(u"\u03a9\u00d9"));
        row("double-byte code page", "{\\rtf1\\ansicpg932 \\'82\\'a0x}", u(u"\u3042x"));
        row("unicode with fallback", "{\\rtf1 \\u8364?x}", u(u"\u20acx"));
        row("negative unicode", "{\\rtf1 \\u-3913?}", u(u"\uf0b7"));
        row("surrogate pair", "{\\rtf1 \\uc0 \\u55357\\uc1 \\u56832\\'3f!}", u(u"\U0001F600!"));
        row("uc2 skips two", "{\\rtf1\\uc2 \\u8364\\'80\\'80x}", u(u"\u20acx"));
        row("uc0 skips none", "{\\rtf1\\uc0\\u233 e}", u(u"\u00e9e"));
        row("uc is scoped by group", "{\\rtf1{\\uc0 a}\\u233?}", u(u"a\u00e9"));
        row("specials", "{\\rtf1 \\~\\_\\emdash\\lquote\\rdblquote\\bullet\\-}", u(u"\u00a0\u2011\u2014\u2018\u201d\u2022"));
        row("colours and groups", withTable("\\cf1 a{\\cf2 b}c\\cf0 d"), "abcd", "BRBK");
        row("plain resets colour", withTable("\\cf2 a\\plain b"), "ab", "RK");
        row("colour beyond the table", withTable("\\cf9 a\\cf-3 b"), "ab");
        row("explicit entry 0", "{\\rtf1{\\colortbl\\red255\\green0\\blue0;}\\cf0 a}", "a", "R");
        row("break takes the colour before it", withTable("\\cf1 a\\cf2\\par b"), "a\nb", "BR", "0,0");
        row("leading breaks", withTable("\\par\\cf1 a"), "\na", "B", "0,0");
        row("indents per paragraph", "{\\rtf1\\li720 a\\par b\\par\\pard c\\par\\li-360 d}", "a\nb\nc\nd", "K",
            "720,720,0,-360");
        row("indent of the closed last paragraph", "{\\rtf1\\li720 a\\par}", "a", "K", "720");
        row("indent set after the text", "{\\rtf1 a\\li360\\par b}", "a\nb", "K", "360,360");
        row("skipped destinations",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{Normal;}}{\\info{\\title T}}"
            "{\\*\\generator G;}{\\*\\unknown u}{\\pict 0123}{\\header h}x}", "x");
        row("binary data", "{\\rtf1 a{\\*\\blob\\bin5 }{\\\\}}b}", "ab");
        row("binary data in text", "{\\rtf1 a\\bin3 {}}b}", "ab");
        row("field keeps its result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link");
        row("table cells", "{\\rtf1 a\\cell b\\cell\\row c}", "a\tb\t\nc", "K", "0,0");
        row("hex CR LF is one break", "{\\rtf1 a\\'0d\\'0ab\\'0ac}", "a\nb\nc", "K", "0,0,0");
        row("NUL dropped", "{\\rtf1 a\\'00b}", "ab");
        row("trailing bytes after the document", "{\\rtf1 a}b{c}", "a");
        row("truncated", "{\\rtf1 a{\\cf1 b", "ab");
        row("huge indent", "{\\rtf1\\li99999999999999999 a}", "a", "K", "31680");
        row("huge unicode", "{\\rtf1\\u99999999?a}", u(u"\ufffda"));
        row("huge binary length", "{\\rtf1 a\\bin99999999999 b}", "a");
        row("long control word", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}", "x");
        row("backslash at the end", "{\\rtf1 a\\", "a");
        row("hex cut short", "{\\rtf1 a\\'e", u(u"a\u000e"));
        row("deep nesting", "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y}", "xy");
        // Anything that does not start with "{\rtf" is plain text.
        row("not quite RTF", "{\\rt", "{\\rt");
        row("leading blank", " {\\rtf1 x}", " {\\rtf1 x}");
        row("plain line ends", "a\r\nb\nc\rd", "a\nb\nc\nd", "K", "0,0,0,0");
        row("plain CR CR LF", "a\r\r\nb", "a\n\nb", "K", "0,0,0");
        row("plain line and paragraph separators", "a\xe2\x80\xa8" "b\xe2\x80\xa9" "c", "a\nb\nc", "K", "0,0,0");
        row("plain Windows-1252", "\xe9\x80", u(u"\u00e9\u20ac"));
        row("plain NUL dropped", QByteArray("a\0b", 3), "ab");
    }
    void cases()
    {
        QFETCH(QByteArray, rtf);
        const rtf::Content c = rtf::read(rtf);
        checkWellFormed(c);
        QTEST(c.text, "text");
        QTEST(colourString(c), "colours");
        QStringList indents;
        for (int i : c.indents)
            indents << QString::number(i);
        QTEST(indents.join(u','), "indents");
    }

    // Files of other writers, with the text and colours their documents were
    // made with (see tests/data/rtf/README.md).
    void fixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LibreOffice Writer") << "libreoffice_writer.rtf" << "libreoffice_writer.expected.json";
        QTest::newRow("rich-edit control") << "richedit_style.rtf" << "richedit_style.expected.json";
        QTest::newRow("ours, re-saved by LibreOffice") << "ours_resaved_by_libreoffice.rtf"
                                                       << "libreoffice_writer.expected.json";
    }
    void fixtures()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        const rtf::Content c = rtf::read(fixture(file));
        checkWellFormed(c);
        const QJsonObject got = QJsonDocument::fromJson(rtf::toJson(c)).object();
        const QJsonObject want = QJsonDocument::fromJson(fixture(expected)).object();
        QVERIFY(!want.isEmpty());
        for (const char* key : {"text", "runs", "indents"})
            QCOMPARE(got.value(key), want.value(key));
        // And what we write of it reads back the same.
        QCOMPARE(rtf::read(rtf::write(c, QStringLiteral("Arial"), 10)), c);
    }

    void json()
    {
        rtf::Content c;
        c.append(u"\n", 0);
        c.append(u"ab", kBlue);
        c.append(u"\n", kRed);
        c.append(u"\"c", kRed);
        c.fixIndents();
        c.indents[1] = 720;
        const QJsonObject o = QJsonDocument::fromJson(rtf::toJson(c)).object();
        QCOMPARE(o.value("text").toString(), QStringLiteral("\r\nab\r\n\"c"));
        // Leading breaks take the first colour, a break the colour before it.
        QCOMPARE(o.value("runs").toArray(), (QJsonArray{QJsonArray{0, 6, "#0000FF"}, QJsonArray{6, 2, "#FF0000"}}));
        QCOMPARE(o.value("indents").toArray(), (QJsonArray{QJsonArray{1, 720}}));
    }

    // Damaged files: every prefix of real files, flipped, replaced and
    // inserted bytes, random bytes. Nothing may crash or hang, and the result
    // keeps the reader's rules.
    void damagedFilesLoadWhatCanBeRead()
    {
        const auto loads = [](const QByteArray& bytes) {
            checkWellFormed(rtf::read(bytes));
            return !QTest::currentTestFailed();
        };
        for (const char* name : {"libreoffice_writer.rtf", "richedit_style.rtf"}) {
            const QByteArray bytes = fixture(QLatin1String(name));
            QVERIFY(bytes.size() > 500);
            for (qsizetype n = 0; n <= bytes.size(); ++n)
                if (!loads(bytes.left(n)))
                    QFAIL(qPrintable(QStringLiteral("the first %1 bytes of %2").arg(n).arg(name)));
        }
        const QByteArray original = fixture(QStringLiteral("libreoffice_writer.rtf"));
        QRandomGenerator rng(4711);
        static const char specials[] = "{}\\'0123456789-*u ;";
        const auto special = [&] { return specials[rng.bounded(int(sizeof specials - 1))]; };
        for (int round = 0; round < 3000; ++round) {
            QByteArray b = original;
            for (int k = rng.bounded(8); k >= 0; --k) {
                const int at = rng.bounded(int(b.size()));
                switch (rng.bounded(3)) {
                case 0: b[at] = char(b[at] ^ (1 << rng.bounded(8))); break;
                case 1: b[at] = special(); break;
                default: b.insert(at, special()); break;
                }
            }
            if (!loads(b))
                QFAIL(qPrintable(QStringLiteral("changed bytes, round %1").arg(round)));
        }
        for (int round = 0; round < 500; ++round) {
            QByteArray b("{\\rtf1");
            for (int i = rng.bounded(400); i > 0; --i)
                b += char(rng.bounded(256));
            if (!loads(b))
                QFAIL(qPrintable(QStringLiteral("random bytes, round %1").arg(round)));
        }
    }
};
TESK_TEST(RtfReaderTest)

#include "rtf_test.moc"
