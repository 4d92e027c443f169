// The rich-text control against a plain QString model of its text: positions
// count CR LF as two characters, and every operation must agree with the
// model, also between the CR and the LF of a break.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const quint32 kBlue = Palette_Color(9), kRed = Palette_Color(12), kGreen = Palette_Color(2);
using Sel = std::pair<int, int>;  // SelStart, SelLength
using Colours = std::vector<rtf::ColorChange>;

Sel sel(const RichTextBox& box) { return {box.SelStart(), box.SelLength()}; }

void select(RichTextBox& box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
}

// Texts that mix every kind of character the mapping must count right.
QString randomText(QRandomGenerator& rng, int pieces)
{
    static const char16_t* const bits[] = {
        u"a", u"B", u" ", u"\t", u"\u00e9", u"\u00df", u"\u03a9", u"\u4e2d", u"\r\n", u"\r\n",
        u"<", u">", u"_", u"word", u"\U0001F600", u"&nbsp;", u"\u00a0", u"x_y"};
    QString s;
    for (int i = 0; i < pieces; ++i)
        s += QString::fromUtf16(bits[rng.bounded(int(std::size(bits)))]);
    return s;
}

// The reference search: first match at or after start that ends by end.
int referenceFind(const QString& t, const QString& what, int start, int end, int options)
{
    if (end < 0 || end > t.size())
        end = int(t.size());
    const auto cs = (options & 4) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    auto word = [&](qsizetype i) { return i >= 0 && i < t.size() && (t[i].isLetterOrNumber() || t[i] == u'_'); };
    for (int m = std::max(start, 0); !what.isEmpty() && m + what.size() <= end; ++m)
        if (QStringView(t).mid(m, what.size()).compare(what, cs) == 0
            && !((options & 2) && (word(m - 1) || word(m + what.size()))))
            return m;
    return -1;
}

// Where a walk from p stops: before (backwards: after) the first character
// for which stop holds, or at the end of the text.
template <typename Stop> int walk(const QString& t, int p, bool forward, Stop stop)
{
    while (forward ? p < t.size() && !stop(t[p]) : p > 0 && !stop(t[p - 1]))
        p += forward ? 1 : -1;
    return p;
}

} // namespace

class RichTextBoxTextTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    // A new text starts with the caret at 0. Every (start, length), out of
    // range and between CR and LF too, reads back exactly, from the document
    // or from a Text() built before. (How line breaks of every kind become
    // CR LF is checked with the source file reader, which setText uses.)
    void selectionAgainstModel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("built");
        for (const bool built : {false, true}) {
            const char* how = built ? ", Text() built" : "";
            QTest::addRow("empty%s", how) << "" << built;
            QTest::addRow("only breaks%s", how) << "\r\n\r\n" << built;
            QTest::addRow("breaks%s", how) << "ab\r\n\r\ncd\r\n" << built;
            QTest::addRow("mixed%s", how) << QString::fromUtf16(u"\t\u00e9\r\nx\U0001F600\r\n\r\n_") << built;
            QTest::addRow("leading break%s", how) << "\r\nz" << built;
        }
    }
    void selectionAgainstModel()
    {
        QFETCH(QString, text);
        QFETCH(bool, built);
        RichTextBox box;
        box.setText(text);
        QCOMPARE(sel(box), Sel(0, 0));
        QCOMPARE(box.TextLength(), text.size());
        if (built)
            QCOMPARE(box.Text(), text);
        const int n = int(text.size());
        for (int s = -1; s <= n + 1; ++s)
            for (int len = -1; len <= n + 2; ++len) {
                select(box, s, len);
                const int es = std::clamp(s, 0, n), el = std::clamp(len, 0, n - es);
                QCOMPARE(sel(box), Sel(es, el));
                QCOMPARE(box.SelText(), text.mid(es, el));
            }
    }

    void setSelText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::newRow("insert at caret") << "abc" << 1 << 0 << "XY" << "aXYbc" << 3;
        QTest::newRow("replace selection") << "abc" << 1 << 1 << "XY" << "aXYc" << 3;
        QTest::newRow("delete selection") << "abc" << 0 << 2 << "" << "c" << 0;
        QTest::newRow("insert CR LF") << "ab" << 1 << 0 << "\r\n" << "a\r\nb" << 3;
        QTest::newRow("lone LF counts as CR LF") << "ab" << 1 << 0 << "\n" << "a\r\nb" << 3;
        QTest::newRow("join lines") << "a\r\nb" << 1 << 2 << "" << "ab" << 1;
        QTest::newRow("at the end") << "a\r\n" << 3 << 0 << "z" << "a\r\nz" << 4;
        QTest::newRow("between CR and LF goes before the break") << "a\r\nb" << 2 << 0 << "z" << "az\r\nb" << 2;
        QTest::newRow("from between CR and LF") << "a\r\nbc" << 2 << 2 << "Q" << "aQc" << 2;
        QTest::newRow("up to between CR and LF") << "ab\r\nc" << 1 << 2 << "Q" << "aQ\r\nc" << 2;
    }
    void setSelText()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, insert);
        QFETCH(QString, result);
        QFETCH(int, caret);
        RichTextBox box;
        box.setText(text);
        (void)box.Text();  // a current cache must be updated, not kept
        select(box, start, length);
        box.setSelText(insert);
        QCOMPARE(box.Text(), result);
        QCOMPARE(sel(box), Sel(caret, 0));
        QCOMPARE(box.document()->toPlainText().replace(u'\n', QLatin1String("\r\n")), result);
    }

    // A long seeded run of edits and reads against the model.
    void randomEditsAgainstModel()
    {
        QRandomGenerator rng(20240611);
        RichTextBox box;
        QString model = randomText(rng, 200);
        box.setText(model);
        auto isHalf = [&](int p) { return p > 0 && p < model.size() && model[p - 1] == u'\r' && model[p] == u'\n'; };
        const QString delimiters = QStringLiteral(" <>\n\t");
        auto delimiter = [&](QChar c) { return delimiters.contains(c); };
        for (int step = 0; step < 3000; ++step) {
            const int n = int(model.size());
            const int s = rng.bounded(n + 1);
            const int len = rng.bounded(std::min(n - s, 12) + 1);
            select(box, s, len);
            switch (rng.bounded(6)) {
            case 0:
                QCOMPARE(box.SelText(), model.mid(s, len));
                break;
            case 1: {  // replace (whole breaks only: the model cannot split one)
                if (isHalf(s) || isHalf(s + len))
                    break;
                const QString ins = randomText(rng, rng.bounded(4));
                box.setSelText(ins);
                model.replace(s, len, ins);
                QCOMPARE(box.SelStart(), s + ins.size());
                break;
            }
            case 2: {
                const QString what = model.mid(rng.bounded(n + 1), rng.bounded(4));
                const int opt = int(rng.bounded(4)) * 2;
                const int end = rng.bounded(3) == 0 ? -1 : rng.bounded(n + 2);
                const int want = referenceFind(model, what, s, end, opt);
                QCOMPARE(box.Find(what, s, end, opt), want);
                QCOMPARE(sel(box), want >= 0 ? Sel(want, what.size()) : Sel(s, len));
                break;
            }
            case 3: {  // span backwards then forwards over non-delimiters
                box.setSelStart(s);
                box.Span(delimiters, false, true);
                box.Span(delimiters, true, true);
                const int a = walk(model, s, false, delimiter);
                QCOMPARE(sel(box), Sel(a, walk(model, s, true, delimiter) - a));
                break;
            }
            case 4: {
                const bool forward = rng.bounded(2);
                box.setSelStart(s);
                box.UpTo(QStringLiteral(">"), forward, false);
                QCOMPARE(sel(box), Sel(walk(model, s, forward, [](QChar c) { return c == u'>'; }), 0));
                break;
            }
            default:
                QCOMPARE(box.TextLength(), n);
                QCOMPARE(box.Text(), model);
                break;
            }
        }
        QCOMPARE(box.Text(), model);
        QCOMPARE(box.document()->toPlainText().replace(u'\n', QLatin1String("\r\n")), model);
    }

    // Thousands of lines of every length (runs of empty ones too): positions
    // anywhere map to the right character, both ways, without Text().
    void mappingOnManyLines()
    {
        QRandomGenerator rng(31337);
        QString model;
        for (int line = 0; line < 4000; ++line) {
            if (line)
                model += QLatin1String("\r\n");
            const int kind = rng.bounded(10);
            const int len = kind < 3 ? 0 : kind < 9 ? rng.bounded(60) : 200 + rng.bounded(400);
            for (int i = 0; i < len; ++i)
                model += QChar(u'a' + rng.bounded(26));
        }
        RichTextBox box;
        box.setText(model);
        std::vector<quint32> colours(size_t(model.size()), 0);
        for (int k = 0; k < 3000; ++k) {
            const int p = rng.bounded(int(model.size()) - 3);
            select(box, p, 3);
            QCOMPARE(box.SelText(), model.mid(p, 3));
            if (k % 3 == 0) {
                box.setSelColor(kRed);
                std::fill_n(colours.begin() + p, 3, kRed);
            }
        }
        // Colours landed on the characters meant (line breaks aside).
        const rtf::Content c = box.content();
        QCOMPARE(rtf::crlfText(c), model);
        for (int i = 0, docPos = 0; i < model.size(); ++i) {
            if (model[i] != u'\r' && model[i] != u'\n' && c.colorAt(docPos) != colours[size_t(i)])
                QFAIL(qPrintable(QStringLiteral("colour at %1").arg(i)));
            docPos += model[i] != u'\r';
        }
        // Document positions (the user's caret) map back.
        for (int k = 0; k < 2000; ++k) {
            const int d = rng.bounded(box.document()->characterCount());
            QTextCursor cursor(box.document());
            cursor.setPosition(d);
            box.setTextCursor(cursor);
            QCOMPARE(box.SelStart(), d + box.document()->findBlock(d).blockNumber());
        }
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("found");
        QTest::newRow("ignore case") << "One one ONE" << "one" << 1 << -1 << 0 << 4;
        QTest::newRow("match case") << "One one ONE" << "ONE" << 0 << -1 << 4 << 8;
        QTest::newRow("whole word") << "bone one" << "one" << 0 << -1 << 2 << 5;
        QTest::newRow("whole word underscore") << "x_one one" << "one" << 0 << -1 << 2 << 6;
        QTest::newRow("must end before end") << "abcabc" << "abc" << 1 << 5 << 0 << -1;
        QTest::newRow("ending exactly at end") << "abcabc" << "abc" << 1 << 6 << 0 << 3;
        QTest::newRow("start at the match") << "abc" << "abc" << 0 << -1 << 0 << 0;
        QTest::newRow("start past the match") << "abc" << "abc" << 1 << -1 << 0 << -1;
        QTest::newRow("across a break") << "a\r\nb" << "a\r\nb" << 0 << -1 << 0 << 0;
        QTest::newRow("LF alone") << "a\r\nb" << "\nb" << 0 << -1 << 0 << 2;
        QTest::newRow("empty text never found") << "abc" << "" << 0 << -1 << 0 << -1;
        QTest::newRow("start beyond the text") << "abc" << "c" << 9 << -1 << 0 << -1;
        QTest::newRow("end beyond the text") << "abc" << "c" << 0 << 99 << 0 << 2;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(int, found);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, options);
        RichTextBox box;
        box.setText(text);
        box.setSelStart(1);
        QCOMPARE(box.Find(what, start, end, options), found);
        // The match is selected; without one the selection stays.
        QCOMPARE(sel(box), found >= 0 ? Sel(found, what.size()) : Sel(1, 0));
    }

    void spanAndUpTo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("op");  // S(pan) or U(pTo), f(orward) or b(ack), n(egate) or p(lain)
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("newStart");
        QTest::addColumn<int>("newLength");
        QTest::newRow("span back, negate") << "ab cd_ef gh" << 5 << 1 << "Sbn" << " " << 3 << 3;
        QTest::newRow("span forward, negate") << "ab cd_ef gh" << 5 << 1 << "Sfn" << " " << 5 << 3;
        QTest::newRow("span forward in set") << "aaab" << 0 << 0 << "Sfp" << "a" << 0 << 3;
        QTest::newRow("span back in set") << "baaa" << 4 << 0 << "Sbp" << "a" << 1 << 3;
        QTest::newRow("span stops at LF, not CR") << "a_b\r\nc" << 1 << 1 << "Sfn" << " \n" << 1 << 3;
        QTest::newRow("span back to the start") << "abc" << 2 << 0 << "Sbn" << " " << 0 << 2;
        QTest::newRow("up to forward") << "ab>cd" << 0 << 0 << "Ufp" << ">" << 2 << 0;
        QTest::newRow("up to backward") << "ab>cd" << 5 << 0 << "Ubp" << ">" << 3 << 0;
        QTest::newRow("up to none: end") << "abcd" << 1 << 0 << "Ufp" << ">" << 4 << 0;
        QTest::newRow("up to none: start") << "abcd" << 3 << 0 << "Ubp" << ">" << 0 << 0;
        QTest::newRow("up to not in set") << "   x" << 0 << 0 << "Ufn" << " " << 3 << 0;
        QTest::newRow("up to from selection end") << "a>b>c" << 0 << 2 << "Ufp" << ">" << 3 << 0;
    }
    void spanAndUpTo()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, op);
        QFETCH(QString, set);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        RichTextBox box;
        box.setText(text);
        select(box, start, length);
        if (op[0] == u'S')
            box.Span(set, op[1] == u'f', op[2] == u'n');
        else
            box.UpTo(set, op[1] == u'f', op[2] == u'n');
        QCOMPARE(sel(box), Sel(newStart, newLength));
    }
};
TESK_TEST(RichTextBoxTextTest)

// Colours, indents and the document as a whole, in memory and in files.
class RichTextBoxFormatTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    void selColor()
    {
        RichTextBox box;
        box.setText(QStringLiteral("abc\r\ndef"));
        const QString text = box.Text();
        QCOMPARE(box.SelColor(), 0u);
        select(box, 1, 4);  // "bc\r\n"
        box.setSelColor(kBlue);
        // Colouring keeps the text, its positions and the selection.
        QCOMPARE(box.Text(), text);
        QCOMPARE(sel(box), Sel(1, 4));
        QCOMPARE(box.SelColor(), kBlue);
        select(box, 0, 2);
        QCOMPARE(box.SelColor(), RichTextBox::kMixedColor);
        // The caret reports the character before it; at the start of a line,
        // its first character.
        box.setSelStart(2);
        QCOMPARE(box.SelColor(), kBlue);
        box.setSelStart(1);
        QCOMPARE(box.SelColor(), 0u);
        box.setSelStart(5);
        QCOMPARE(box.SelColor(), 0u);
        // Line breaks in a selection do not count.
        select(box, 2, 3);  // "c\r\n"
        QCOMPARE(box.SelColor(), kBlue);
        select(box, 1, 2);
        box.setSelColor(kRed);
        select(box, 3, 3);  // "\r\nd": the break is blue, d black
        QCOMPARE(box.SelColor(), 0u);
    }

    // A colour set at the caret goes to what is typed there; text put in at
    // a caret takes the colour before it.
    void typingColour()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("ab"));
        box.setSelStart(1);
        box.setSelColor(kGreen);
        QCOMPARE(box.SelColor(), kGreen);
        QTest::keyClicks(&box, QStringLiteral("xy"));
        box.setSelStart(3);
        box.setSelText(QStringLiteral("z"));
        box.setSelColor(kRed);
        box.setSelText(QStringLiteral("cd"));
        QCOMPARE(box.Text(), QStringLiteral("axyzcdb"));
        QCOMPARE(box.content().colors, (Colours{{0, 0}, {1, kGreen}, {4, kRed}, {6, 0}}));
    }

    void applyColorRunsIsOneUndoStep()
    {
        RichTextBox box;
        box.setText(QStringLiteral("0123456789\r\nabcdefghij"));
        QSignalSpy changes(&box, &RichTextBox::Change);
        // Any order, overlapping (the later run wins), past the end, negative.
        box.applyColorRuns({{10, 8, kBlue}, {0, 4, kRed}, {2, 4, kGreen}, {30, 5, kRed}, {5, -3, kRed}});
        QCOMPARE(changes.count(), 1);
        const Colours coloured{{0, kRed}, {2, kGreen}, {6, 0}, {11, kBlue}, {17, 0}};
        QCOMPARE(box.content().colors, coloured);
        QVERIFY(box.document()->isUndoAvailable());
        box.undo();
        QCOMPARE(box.content().colors, (Colours{{0, 0}}));
        QVERIFY(!box.document()->isUndoAvailable());
        box.redo();
        QCOMPARE(box.content().colors, coloured);
    }

    void indent()
    {
        RichTextBox box;
        box.setText(QStringLiteral("a\r\nb\r\nc\r\nd"));
        select(box, 3, 6);  // "b\r\nc\r\n": ends at the start of "d"
        box.setSelIndent(1080);
        QCOMPARE(box.content().indents, (std::vector<int>{0, 1080, 1080, 0}));
        for (const auto& [at, twips] : {Sel(0, 0), Sel(3, 1080), Sel(7, 1080), Sel(9, 0)}) {
            box.setSelStart(at);
            QCOMPARE(box.SelIndent(), twips);
        }
        box.setSelStart(4);
        box.setSelIndent(567);
        QCOMPARE(box.SelIndent(), 567);
        box.undo();
        QCOMPARE(box.SelIndent(), 1080);
    }

    // The document as a whole: text with LF breaks, colours, indents; set
    // again, and saved as a source file and loaded, it is the same.
    void contentAndSourceFiles()
    {
        RichTextBox box;
        box.setText(QString::fromUtf16(u"\r\n<p>\u00e9\u20ac\u4e2d {x}\\</p>\r\n\r\n\tend\r\n"));
        select(box, 2, 3);
        box.setSelColor(kBlue);
        box.setSelStart(12);
        box.setSelIndent(720);
        const rtf::Content c = box.content();
        QCOMPARE(c.text, QString::fromUtf16(u"\n<p>\u00e9\u20ac\u4e2d {x}\\</p>\n\n\tend\n"));
        QCOMPARE(c.colors, (Colours{{0, kBlue}, {4, 0}}));  // a leading break takes the first colour
        QCOMPARE(c.indents, (std::vector<int>{0, 720, 0, 0, 0}));
        RichTextBox other;
        other.setContent(c);
        QCOMPARE(other.content(), c);
        QCOMPARE(other.Text(), box.Text());
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("page.rtf"));
        QVERIFY(box.SaveFile(path, 0));
        RichTextBox back;
        QVERIFY(back.LoadFile(path));
        QCOMPARE(back.content(), c);
        QVERIFY(!back.document()->isUndoAvailable());
    }

    // Saved as UTF-8 with CR LF; read back with any line end, and as
    // Windows-1252 when not UTF-8.
    void plainTextFiles()
    {
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("page.htm"));
        RichTextBox box;
        box.setText(QString::fromUtf16(u"a\u00e9\r\nb\r\n"));
        QVERIFY(box.SaveFile(path, 1));
        QCOMPARE(tesk::test::readFile(path), QByteArray("a\xc3\xa9\r\nb\r\n"));
        QVERIFY(tesk::test::writeFile(path, QByteArray("a\nb\rc\r\n\xe9")));
        QVERIFY(box.LoadFile(path));
        QCOMPARE(box.Text(), QString::fromUtf16(u"a\r\nb\r\nc\r\n\u00e9"));
    }

    // A failed load keeps the document; a failed save keeps the file; both
    // tell why.
    void failuresKeepTextAndFile()
    {
        RichTextBox box;
        box.setText(QStringLiteral("keep"));
        QVERIFY(!box.LoadFile(QStringLiteral("/nonexistent/folder/x.rtf")));
        QCOMPARE(box.lastFileError(), int(fs::Result::PathNotFound));
        QVERIFY(!box.SaveFile(QStringLiteral("/nonexistent/folder/x.htm"), 1));
        QVERIFY(!box.SaveFile(QStringLiteral("/nonexistent/folder/x.rtf"), 0));
        QCOMPARE(box.lastFileError(), int(fs::Result::PathNotFound));
        QCOMPARE(box.Text(), QStringLiteral("keep"));
        if (geteuid() == 0)
            QSKIP("permissions do not bind root");
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("locked.rtf"));
        QVERIFY(tesk::test::writeFile(path, QByteArray("old")));
        tesk::test::setReadOnly(path, true);
        QVERIFY(!box.SaveFile(path, 0));
        QCOMPARE(box.lastFileError(), int(fs::Result::PermissionDenied));
        tesk::test::setReadOnly(path, false);
        QCOMPARE(tesk::test::readFile(path), QByteArray("old"));
    }
};
TESK_TEST(RichTextBoxFormatTest)

class RichTextBoxEventTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    // Key down sees the key code and shift mask and may consume the key; key
    // press may replace or drop what is typed; Shift+Enter is an ordinary
    // break. Mouse up tells the button and the shift mask. Change comes for
    // every change of the text or its colours, not for moves.
    void handlersAndSignals()
    {
        RichTextBox box;
        box.resize(200, 100);
        box.show();
        QList<Sel> seen;
        box.onKeyDown = [&](int& code, int shift) {
            seen << Sel(code, shift);
            if (code == 'B' && shift == 2)
                code = 0;
        };
        box.onKeyPress = [](QString& t) {
            if (t == QLatin1String("e"))
                t = QStringLiteral("&eacute;");
            else if (t == QLatin1String("x"))
                t.clear();
        };
        QTest::keyClick(&box, Qt::Key_A);
        QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(&box, 'B', Qt::ShiftModifier);
        QTest::keyClicks(&box, QStringLiteral("xe"));
        QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.Text(), QStringLiteral("aB&eacute;\r\n\r\n"));
        QCOMPARE(box.SelStart(), 14);
        for (const Sel& key : {Sel('A', 0), Sel('B', 2), Sel('B', 1)})
            QVERIFY(seen.contains(key));

        Sel mouse;
        box.onMouseUp = [&](int button, int shift, QPoint) { mouse = Sel(button, shift); };
        QTest::mouseClick(box.viewport(), Qt::RightButton, Qt::ControlModifier, QPoint(5, 5));
        QCOMPARE(mouse, Sel(2, 2));
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(mouse, Sel(1, 0));

        QSignalSpy changes(&box, &RichTextBox::Change);
        box.setText(QStringLiteral("abc"));
        QCOMPARE(changes.count(), 1);
        select(box, 1, 1);
        box.setSelColor(kRed);  // colouring is a change to be saved
        QCOMPARE(changes.count(), 2);
        box.setSelText(QStringLiteral("x"));
        QCOMPARE(changes.count(), 3);
        box.setSelStart(0);
        QCOMPARE(changes.count(), 3);
        QSignalSpy got(&box, &RichTextBox::GotFocus), lost(&box, &RichTextBox::LostFocus);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason), out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&box, &in);
        QApplication::sendEvent(&box, &out);
        QCOMPARE(Sel(got.count(), lost.count()), Sel(1, 1));
    }

    // The user's own keys: undo and redo, and a cursor moved by keys is the
    // program's selection.
    void userKeys()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("abc\r\ndef"));
        QVERIFY(!box.document()->isUndoAvailable());  // a fresh history
        QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(box.SelStart(), 8);
        QTest::keyClicks(&box, QStringLiteral("xyz"));
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box.Text(), QStringLiteral("abc\r\ndef"));
        QTest::keyClick(&box, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box.Text(), QStringLiteral("abc\r\ndefxyz"));
        QCOMPARE(box.TextLength(), 11);
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(sel(box), Sel(9, 2));
        QCOMPARE(box.SelText(), QStringLiteral("yz"));
    }

    void pastesAndCopiesPlainTextOnly()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("ab"));
        box.setSelStart(1);
        box.syncCursor();
        auto* mime = new QMimeData;
        mime->setHtml(QStringLiteral("<b style=\"color:red\">X</b>"));
        mime->setText(QStringLiteral("<b>X</b>\r\nY"));
        QGuiApplication::clipboard()->setMimeData(mime);
        box.paste();
        QCOMPARE(box.Text(), QStringLiteral("a<b>X</b>\r\nYb"));
        QCOMPARE(box.content().colors, (Colours{{0, 0}}));
        QTextCursor c(box.document());
        c.setPosition(3);
        QVERIFY(c.charFormat().fontWeight() != QFont::Bold);
        select(box, 1, 8);
        box.syncCursor();
        box.copy();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("<b>X</b>"));
    }

    // Hidden selection: the program's selection moves, the widget's does not
    // until it is shown again. A selection set while hidden and without the
    // focus is where typing starts when the focus returns.
    void hideSelection()
    {
        RichTextBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setText(QStringLiteral("one two three"));
        box.setSelStart(1);
        QCOMPARE(box.textCursor().position(), 1);
        box.setHideSelection(true);
        select(box, 4, 3);
        QCOMPARE(box.SelText(), QStringLiteral("two"));
        QVERIFY(!box.textCursor().hasSelection());
        box.setSelColor(kRed);
        box.setHideSelection(false);
        QCOMPARE(box.textCursor().selectedText(), QStringLiteral("two"));
        QCOMPARE(box.SelColor(), kRed);
        box.setHideSelection(true);
        select(box, 8, 5);
        box.activateWindow();
        box.setFocus();
        QTest::keyClicks(&box, QStringLiteral("X"));
        QCOMPARE(box.Text(), QStringLiteral("one two X"));
        QCOMPARE(box.SelStart(), 9);
    }

    void marginAndEditorFont()
    {
        RichTextBox box;
        box.setEditorStyle({QStringLiteral("Courier New"), 14, 720, 15.0});
        box.setText(QStringLiteral("x"));  // a new document keeps the font
        QCOMPARE(box.document()->defaultFont().pointSize(), 14);
        box.setRightMargin(1500);
        QCOMPARE(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
        QVERIFY(box.lineWrapColumnOrWidth() > 0);
        box.setRightMargin(-50);
        QCOMPARE(box.lineWrapMode(), QTextEdit::WidgetWidth);
    }
};
TESK_TEST(RichTextBoxEventTest)

#include "rich_text_box_test.moc"
