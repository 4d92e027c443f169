// Reading and writing source files: our own files round-trip exactly, files
// of other writers load with their text, colours and indents, and damaged
// files load what can be read without crashing or hanging.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/palette.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {

const quint32 kBlue = Palette_Color(9);
const quint32 kRed = Palette_Color(12);
const quint32 kGreen = Palette_Color(2);

// The rules every result of the reader keeps, whatever the input.
void checkWellFormed(const rtf::Content& c)
{
    QCOMPARE(c.indents.size(), size_t(c.text.count(u'\n')) + 1);
    QVERIFY(!c.text.contains(u'\r'));
    QVERIFY(!c.text.contains(QChar(0)));
    bool anyChar = false;
    for (QChar ch : c.text)
        anyChar = anyChar || ch != u'\n';
    QCOMPARE(c.colors.empty(), !anyChar);
    for (size_t i = 0; i < c.colors.size(); ++i) {
        const rtf::ColorChange& cc = c.colors[i];
        QVERIFY(cc.start >= 0 && cc.start < c.text.size());
        if (i == 0) {
            QCOMPARE(cc.start, 0);
        } else {
            QVERIFY(cc.start > c.colors[i - 1].start);
            QVERIFY(cc.bgr != c.colors[i - 1].bgr);
            QVERIFY(c.text[cc.start] != u'\n');
        }
    }
}

// "a:B b:R" style description of the colours of every character that is
// not a line break: one letter per run (K black, B blue, R red, G green).
QString colourString(const rtf::Content& c)
{
    QString s;
    QChar last;
    for (int i = 0; i < c.text.size(); ++i) {
        if (c.text[i] == u'\n')
            continue;
        const quint32 bgr = c.colorAt(i);
        const QChar k = bgr == 0 ? u'K' : bgr == kBlue ? u'B' : bgr == kRed ? u'R' : bgr == kGreen ? u'G' : u'?';
        if (k != last)
            s += k;
        last = k;
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
    const int pieces = rng.bounded(40);
    for (int i = 0; i < pieces; ++i)
        c.append(QString::fromUtf16(bits[rng.bounded(int(std::size(bits)))]),
                 colours[rng.bounded(int(std::size(colours)))]);
    c.fixIndents();
    for (int& ind : c.indents)
        ind = rng.bounded(3) == 0 ? int(rng.bounded(5)) * 360 - 360 : 0;
    return c;
}

QByteArray rtfOf(const char* body) { return QByteArray(body); }

} // namespace

class RtfRoundTripTest : public QObject {
    Q_OBJECT
private slots:
    void generatedDocuments()
    {
        QRandomGenerator rng(77);
        for (int i = 0; i < 2000; ++i) {
            const rtf::Content c = randomContent(rng);
            const QByteArray bytes = rtf::write(c, QStringLiteral("Arial"), 10);
            QVERIFY(rtf::isRtf(bytes));
            const rtf::Content back = rtf::read(bytes);
            if (!(back == c))
                QFAIL(qPrintable(QStringLiteral("round trip %1 differs:\n%2").arg(i).arg(QString::fromLatin1(bytes))));
        }
    }

    void endsInLineBreak()
    {
        rtf::Content c;
        c.append(u"a\n", kBlue);
        c.fixIndents();
        const QByteArray bytes = rtf::write(c, QStringLiteral("Arial"), 10);
        QVERIFY(bytes.endsWith("\\par\r\n\\par\r\n}\r\n"));
        QCOMPARE(rtf::read(bytes), c);
    }

    // The exact form of a small file: one font, a colour table of the
    // colours used, \cf per change, \li per indent change, escapes.
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
    }

    void emptyDocument()
    {
        const rtf::Content empty = rtf::fromPlainText(QString());
        const QByteArray bytes = rtf::write(empty, QString(), 0);
        QCOMPARE(rtf::read(bytes), empty);
        QCOMPARE(empty.indents.size(), size_t(1));
    }
};
TESK_TEST(RtfRoundTripTest)

class RtfReaderTest : public QObject {
    Q_OBJECT
private slots:
    void cases_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");     // '\n' for a line break
        QTest::addColumn<QString>("colours");  // see colourString
        QTest::addColumn<QString>("indents");  // comma-separated, every line
        const char* table = "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}";
        auto withTable = [&](const char* body) {
            return QByteArray("{\\rtf1") + table + body + "}";
        };
        QTest::newRow("plain words") << rtfOf("{\\rtf1 abc}") << "abc" << "K" << "0";
        QTest::newRow("closing par adds no break") << rtfOf("{\\rtf1 a\\par}") << "a" << "K" << "0";
        QTest::newRow("two pars keep one break") << rtfOf("{\\rtf1 a\\par\\par}") << "a\n" << "K" << "0,0";
        QTest::newRow("text after the last par") << rtfOf("{\\rtf1 a\\par b}") << "a\nb" << "K" << "0,0";
        QTest::newRow("only a par") << rtfOf("{\\rtf1 \\par}") << "" << "" << "0";
        QTest::newRow("par then closing groups") << rtfOf("{\\rtf1 a\\par {\\*\\x y}}") << "a" << "K" << "0";
        QTest::newRow("line and tab") << rtfOf("{\\rtf1 a\\line b\\tab c}") << "a\nb\tc" << "K" << "0,0";
        QTest::newRow("escapes") << rtfOf("{\\rtf1 \\{x\\}\\\\}") << "{x}\\" << "K" << "0";
        QTest::newRow("raw line ends ignored") << rtfOf("{\\rtf1 a\r\nb}") << "ab" << "K" << "0";
        QTest::newRow("backslash line end is a par") << rtfOf("{\\rtf1 a\\\r\nb}") << "a\nb" << "K" << "0,0";
        QTest::newRow("1252 by default") << rtfOf("{\\rtf1 \\'e9\\'80}") << QString::fromUtf16(u"\u00e9\u20ac") << "K" << "0";
        QTest::newRow("ansicpg 1251") << rtfOf("{\\rtf1\\ansi\\ansicpg1251 \\'e9}") << QString::fromUtf16(u"\u0439") << "K" << "0";
        QTest::newRow("font charset") << rtfOf("{\\rtf1{\\fonttbl{\\f1\\fcharset161 G;}}\\f1\\'d9\\f0\\'d9}")
                                      << QString::fromUtf16(u"\u03a9\u00d9") << "K" << "0";
        QTest::newRow("double-byte code page") << rtfOf("{\\rtf1\\ansicpg932 \\'82\\'a0x}")
                                               << QString::fromUtf16(u"\u3042x") << "K" << "0";
        QTest::newRow("unicode with fallback") << rtfOf("{\\rtf1 \\u8364?x}") << QString::fromUtf16(u"\u20acx") << "K" << "0";
        QTest::newRow("negative unicode") << rtfOf("{\\rtf1 \\u-3913?}") << QString::fromUtf16(u"\uf0b7") << "K" << "0";
        QTest::newRow("surrogate pair") << rtfOf("{\\rtf1 \\uc0 \\u55357\\uc1 \\u56832\\'3f!}")
                                        << QString::fromUtf16(u"\U0001F600!") << "K" << "0";
        QTest::newRow("uc2 skips two") << rtfOf("{\\rtf1\\uc2 \\u8364\\'80\\'80x}") << QString::fromUtf16(u"\u20acx") << "K" << "0";
        QTest::newRow("uc0 skips none") << rtfOf("{\\rtf1\\uc0\\u233 e}") << QString::fromUtf16(u"\u00e9e") << "K" << "0";
        QTest::newRow("uc is scoped by group") << rtfOf("{\\rtf1{\\uc0 a}\\u233?}") << QString::fromUtf16(u"a\u00e9") << "K" << "0";
        QTest::newRow("specials") << rtfOf("{\\rtf1 \\~\\_\\emdash\\lquote\\rdblquote\\bullet\\-}")
                                  << QString::fromUtf16(u"\u00a0\u2011\u2014\u2018\u201d\u2022") << "K" << "0";
        QTest::newRow("colours and groups") << withTable("\\cf1 a{\\cf2 b}c\\cf0 d") << "abcd" << "BRBK" << "0";
        QTest::newRow("plain resets colour") << withTable("\\cf2 a\\plain b") << "ab" << "RK" << "0";
        QTest::newRow("colour beyond the table") << withTable("\\cf9 a\\cf-3 b") << "ab" << "K" << "0";
        QTest::newRow("explicit entry 0") << rtfOf("{\\rtf1{\\colortbl\\red255\\green0\\blue0;}\\cf0 a}") << "a" << "R" << "0";
        QTest::newRow("break takes the colour before it") << withTable("\\cf1 a\\cf2\\par b") << "a\nb" << "BR" << "0,0";
        QTest::newRow("leading breaks") << withTable("\\par\\cf1 a") << "\na" << "B" << "0,0";
        QTest::newRow("indents per paragraph") << rtfOf("{\\rtf1\\li720 a\\par b\\par\\pard c\\par\\li-360 d}")
                                               << "a\nb\nc\nd" << "K" << "720,720,0,-360";
        QTest::newRow("indent of the closed last paragraph") << rtfOf("{\\rtf1\\li720 a\\par}") << "a" << "K" << "720";
        QTest::newRow("indent set after the text") << rtfOf("{\\rtf1 a\\li360\\par b}") << "a\nb" << "K" << "360,360";
        QTest::newRow("skipped destinations")
            << rtfOf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{Normal;}}{\\info{\\title T}}"
                     "{\\*\\generator G;}{\\*\\unknown u}{\\pict 0123}{\\header h}x}")
            << "x" << "K" << "0";
        QTest::newRow("binary data") << rtfOf("{\\rtf1 a{\\*\\blob\\bin5 }{\\\\}}b}") << "ab" << "K" << "0";
        QTest::newRow("binary data in text") << rtfOf("{\\rtf1 a\\bin3 {}}b}") << "ab" << "K" << "0";
        QTest::newRow("field keeps its result") << rtfOf("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}")
                                                << "link" << "K" << "0";
        QTest::newRow("table cells") << rtfOf("{\\rtf1 a\\cell b\\cell\\row c}") << "a\tb\t\nc" << "K" << "0,0";
        QTest::newRow("hex CR LF is one break") << rtfOf("{\\rtf1 a\\'0d\\'0ab\\'0ac}") << "a\nb\nc" << "K" << "0,0,0";
        QTest::newRow("NUL dropped") << rtfOf("{\\rtf1 a\\'00b}") << "ab" << "K" << "0";
        QTest::newRow("trailing bytes after the document") << rtfOf("{\\rtf1 a}b{c}") << "a" << "K" << "0";
        QTest::newRow("truncated") << rtfOf("{\\rtf1 a{\\cf1 b") << "ab" << "K" << "0";
        QTest::newRow("huge indent") << rtfOf("{\\rtf1\\li99999999999999999 a}") << "a" << "K" << "31680";
        QTest::newRow("huge unicode") << rtfOf("{\\rtf1\\u99999999?a}") << QString::fromUtf16(u"\ufffda") << "K" << "0";
        QTest::newRow("huge binary length") << rtfOf("{\\rtf1 a\\bin99999999999 b}") << "a" << "K" << "0";
        QTest::newRow("long control word") << rtfOf("{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}") << "x" << "K" << "0";
        QTest::newRow("backslash at the end") << rtfOf("{\\rtf1 a\\") << "a" << "K" << "0";
        QTest::newRow("hex cut short") << rtfOf("{\\rtf1 a\\'e") << QString::fromUtf16(u"a\u000e") << "K" << "0";
    }
    void cases()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(QString, colours);
        QFETCH(QString, indents);
        const rtf::Content c = rtf::read(rtf);
        checkWellFormed(c);
        QCOMPARE(c.text, text);
        QCOMPARE(colourString(c), colours);
        QStringList ind;
        for (int i : c.indents)
            ind << QString::number(i);
        QCOMPARE(ind.join(u','), indents);
    }

    void plainText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("not quite RTF") << QByteArray("{\\rt") << "{\\rt";
        QTest::newRow("leading blank") << QByteArray(" {\\rtf1 x}") << " {\\rtf1 x}";
        QTest::newRow("line ends") << QByteArray("a\r\nb\nc\rd") << "a\nb\nc\nd";
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbf\xc3\xa9") << QString::fromUtf16(u"\u00e9");
        QTest::newRow("Windows-1252") << QByteArray("\xe9\x80") << QString::fromUtf16(u"\u00e9\u20ac");
        QTest::newRow("NUL dropped") << QByteArray("a\0b", 3) << "ab";
    }
    void plainText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const rtf::Content c = rtf::read(bytes);
        checkWellFormed(c);
        QCOMPARE(c.text, text);
    }

    void deepNesting()
    {
        const QByteArray rtf = "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y}";
        const rtf::Content c = rtf::read(rtf);
        QCOMPARE(c.text, QStringLiteral("xy"));
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
        const QByteArray bytes = tesk::test::readFile(tesk::test::dataPath(QStringLiteral("rtf/") + file));
        QVERIFY(!bytes.isEmpty());
        const rtf::Content c = rtf::read(bytes);
        checkWellFormed(c);
        const QJsonDocument got = QJsonDocument::fromJson(rtf::toJson(c));
        const QJsonDocument want = QJsonDocument::fromJson(
            tesk::test::readFile(tesk::test::dataPath(QStringLiteral("rtf/") + expected)));
        QVERIFY(!want.isNull());
        QCOMPARE(got.object().value("text"), want.object().value("text"));
        QCOMPARE(got.object().value("runs"), want.object().value("runs"));
        QCOMPARE(got.object().value("indents"), want.object().value("indents"));
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
        QCOMPARE(o.value("runs").toArray(),
                 (QJsonArray{QJsonArray{0, 6, "#0000FF"}, QJsonArray{6, 2, "#FF0000"}}));
        QCOMPARE(o.value("indents").toArray(), (QJsonArray{QJsonArray{1, 720}}));
    }
};
TESK_TEST(RtfReaderTest)

// Damaged files: every prefix of a real file, flipped and inserted bytes.
// Nothing may crash or hang, and the result keeps the reader's rules.
class RtfDamageTest : public QObject {
    Q_OBJECT
private slots:
    void everyPrefix_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("LibreOffice Writer") << "libreoffice_writer.rtf";
        QTest::newRow("rich-edit control") << "richedit_style.rtf";
    }
    void everyPrefix()
    {
        QFETCH(QString, file);
        const QByteArray bytes = tesk::test::readFile(tesk::test::dataPath(QStringLiteral("rtf/") + file));
        QVERIFY(bytes.size() > 500);
        for (qsizetype n = 0; n <= bytes.size(); ++n) {
            const rtf::Content c = rtf::read(bytes.left(n));
            checkWellFormed(c);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("prefix of %1 bytes").arg(n)));
        }
    }

    void flippedBytes()
    {
        const QByteArray original =
            tesk::test::readFile(tesk::test::dataPath(QStringLiteral("rtf/libreoffice_writer.rtf")));
        QRandomGenerator rng(4711);
        static const char specials[] = "{}\\'0123456789-*u ;";
        for (int round = 0; round < 3000; ++round) {
            QByteArray b = original;
            const int changes = 1 + rng.bounded(8);
            for (int k = 0; k < changes; ++k) {
                const int at = rng.bounded(int(b.size()));
                switch (rng.bounded(3)) {
                case 0: b[at] = char(b[at] ^ (1 << rng.bounded(8))); break;
                case 1: b[at] = specials[rng.bounded(int(sizeof specials - 1))]; break;
                default: b.insert(at, specials[rng.bounded(int(sizeof specials - 1))]); break;
                }
            }
            const rtf::Content c = rtf::read(b);
            checkWellFormed(c);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void randomBytes()
    {
        QRandomGenerator rng(99);
        for (int round = 0; round < 500; ++round) {
            QByteArray b("{\\rtf1");
            const int n = rng.bounded(400);
            for (int i = 0; i < n; ++i)
                b += char(rng.bounded(256));
            checkWellFormed(rtf::read(b));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }
};
TESK_TEST(RtfDamageTest)

#include "rtf_test.moc"
