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
#include <QGuiApplication>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const quint32 kBlue = Palette_Color(9);
const quint32 kRed = Palette_Color(12);
const quint32 kGreen = Palette_Color(2);

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
    if (what.isEmpty())
        return -1;
    if (end < 0 || end > t.size())
        end = int(t.size());
    const auto cs = (options & 4) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    auto word = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    for (int m = std::max(start, 0); m + what.size() <= end; ++m) {
        if (QStringView(t).mid(m, what.size()).compare(what, cs) != 0)
            continue;
        if ((options & 2)
            && ((m > 0 && word(t[m - 1])) || (m + what.size() < t.size() && word(t[m + what.size()]))))
            continue;
        return m;
    }
    return -1;
}

} // namespace

class RichTextBoxTextTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one line") << "abc" << "abc";
        QTest::newRow("CR LF") << "a\r\nb" << "a\r\nb";
        QTest::newRow("ends in CR LF") << "a\r\n" << "a\r\n";
        QTest::newRow("only breaks") << "\r\n\r\n" << "\r\n\r\n";
        QTest::newRow("lone LF becomes CR LF") << "a\nb" << "a\r\nb";
        QTest::newRow("lone CR becomes CR LF") << "a\rb" << "a\r\nb";
        QTest::newRow("CR CR LF") << "a\r\r\nb" << "a\r\n\r\nb";
        QTest::newRow("unicode separators") << QString::fromUtf16(u"a\u2028b\u2029c") << "a\r\nb\r\nc";
        QTest::newRow("tab and nbsp kept") << QString::fromUtf16(u"\ta\u00a0b") << QString::fromUtf16(u"\ta\u00a0b");
        QTest::newRow("surrogates") << QString::fromUtf16(u"\U0001F600\r\n") << QString::fromUtf16(u"\U0001F600\r\n");
    }
    void textRoundTrip()
    {
        QFETCH(QString, in);
        QFETCH(QString, text);
        RichTextBox box;
        box.setText(in);
        QCOMPARE(box.Text(), text);
        QCOMPARE(box.TextLength(), text.size());
        QCOMPARE(box.SelStart(), 0);
        QCOMPARE(box.SelLength(), 0);
    }

    // Every (start, length) of several texts reads back exactly, also at
    // positions between CR and LF.
    void selectionAgainstModel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("breaks") << "ab\r\n\r\ncd\r\n";
        QTest::newRow("mixed") << QString::fromUtf16(u"\t\u00e9\r\nx\U0001F600\r\n\r\n_");
        QTest::newRow("leading break") << "\r\nz";
    }
    void selectionAgainstModel()
    {
        QFETCH(QString, text);
        RichTextBox box;
        box.setText(text);
        const int n = int(text.size());
        for (int s = -1; s <= n + 1; ++s) {
            for (int len = -1; len <= n + 2; ++len) {
                box.setSelStart(s);
                box.setSelLength(len);
                const int es = std::clamp(s, 0, n);
                const int el = std::clamp(len, 0, n - es);
                QCOMPARE(box.SelStart(), es);
                QCOMPARE(box.SelLength(), el);
                QCOMPARE(box.SelText(), text.mid(es, el));
            }
        }
    }

    // The same, with a text cache that is not current (SelText then reads
    // the document).
    void selTextWithoutCache()
    {
        RichTextBox box;
        box.setText(QStringLiteral("ab\r\ncd\r\nef"));
        for (int s = 0; s <= 10; ++s)
            for (int e = s; e <= 10; ++e) {
                box.setSelStart(s);
                box.setSelLength(e - s);
                QCOMPARE(box.SelText(), QStringLiteral("ab\r\ncd\r\nef").mid(s, e - s));
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
        box.setSelStart(start);
        box.setSelLength(length);
        box.setSelText(insert);
        QCOMPARE(box.Text(), result);
        QCOMPARE(box.SelStart(), caret);
        QCOMPARE(box.SelLength(), 0);
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
        for (int step = 0; step < 3000; ++step) {
            const int n = int(model.size());
            int s = rng.bounded(n + 1);
            int len = rng.bounded(std::min(n - s, 12) + 1);
            switch (rng.bounded(6)) {
            case 0: {  // read
                box.setSelStart(s);
                box.setSelLength(len);
                QCOMPARE(box.SelText(), model.mid(s, len));
                break;
            }
            case 1: {  // replace (whole breaks only: the model cannot split one)
                if (isHalf(s) || isHalf(s + len))
                    break;
                const QString ins = randomText(rng, rng.bounded(4));
                box.setSelStart(s);
                box.setSelLength(len);
                box.setSelText(ins);
                model.replace(s, len, ins);
                QCOMPARE(box.SelStart(), s + ins.size());
                break;
            }
            case 2: {  // find
                const QString what = model.mid(rng.bounded(n + 1), rng.bounded(4));
                const int opt = int(rng.bounded(4)) * 2;
                const int end = rng.bounded(3) == 0 ? -1 : rng.bounded(n + 2);
                const int want = referenceFind(model, what, s, end, opt);
                QCOMPARE(box.Find(what, s, end, opt), want);
                if (want >= 0) {
                    QCOMPARE(box.SelStart(), want);
                    QCOMPARE(box.SelLength(), what.size());
                }
                break;
            }
            case 3: {  // span backwards then forwards over non-delimiters
                const QString set = QStringLiteral(" <>\n\t");
                box.setSelStart(s);
                box.Span(set, false, true);
                box.Span(set, true, true);
                int a = s, b = s;
                while (a > 0 && !set.contains(model[a - 1]))
                    --a;
                while (b < n && !set.contains(model[b]))
                    ++b;
                QCOMPARE(box.SelStart(), a);
                QCOMPARE(box.SelLength(), b - a);
                break;
            }
            case 4: {  // up to
                box.setSelStart(s);
                const bool fwd = rng.bounded(2);
                box.UpTo(QStringLiteral(">"), fwd, false);
                int p = s;
                if (fwd)
                    while (p < n && model[p] != u'>')
                        ++p;
                else
                    while (p > 0 && model[p - 1] != u'>')
                        --p;
                QCOMPARE(box.SelStart(), p);
                QCOMPARE(box.SelLength(), 0);
                break;
            }
            default:
                QCOMPARE(box.TextLength(), n);
                QCOMPARE(box.Text(), model);
                break;
            }
        }
        QCOMPARE(box.Text(), model);
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
            box.setSelStart(p);
            box.setSelLength(3);
            QCOMPARE(box.SelText(), model.mid(p, 3));
            if (k % 3 == 0) {
                box.setSelColor(kRed);
                for (int i = p; i < p + 3; ++i)
                    colours[size_t(i)] = kRed;
            }
        }
        // Colours landed on the characters meant (line breaks aside).
        const rtf::Content c = box.content();
        QCOMPARE(rtf::crlfText(c), model);
        int docPos = 0;
        for (int i = 0; i < model.size(); ++i) {
            if (model[i] == u'\r')
                continue;
            if (model[i] != u'\n' && c.colorAt(docPos) != colours[size_t(i)])
                QFAIL(qPrintable(QStringLiteral("colour at %1").arg(i)));
            ++docPos;
        }
        // Document positions (the user's caret) map back.
        for (int k = 0; k < 2000; ++k) {
            const int d = rng.bounded(box.document()->characterCount());
            QTextCursor c2(box.document());
            c2.setPosition(d);
            box.setTextCursor(c2);
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
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, options);
        QFETCH(int, found);
        RichTextBox box;
        box.setText(text);
        box.setSelStart(1);
        QCOMPARE(box.Find(what, start, end, options), found);
        if (found >= 0) {
            QCOMPARE(box.SelStart(), found);
            QCOMPARE(box.SelText(), text.mid(found, what.size()));
        } else {
            QCOMPARE(box.SelStart(), 1);  // selection unchanged
        }
    }

    void spanAndUpTo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("newStart");
        QTest::addColumn<int>("newLength");
        QTest::addColumn<QString>("set");
        // op: S (Span) or U (UpTo), then f/b (direction), then n/p (negate or not).
        QTest::newRow("span back, negate") << "ab cd_ef gh" << 5 << 1 << "Sbn" << 3 << 3 << " ";
        QTest::newRow("span forward, negate") << "ab cd_ef gh" << 5 << 1 << "Sfn" << 5 << 3 << " ";
        QTest::newRow("span forward in set") << "aaab" << 0 << 0 << "Sfp" << 0 << 3 << "a";
        QTest::newRow("span back in set") << "baaa" << 4 << 0 << "Sbp" << 1 << 3 << "a";
        QTest::newRow("span stops at LF, not CR") << "a_b\r\nc" << 1 << 1 << "Sfn" << 1 << 3 << " \n";
        QTest::newRow("span back to the start") << "abc" << 2 << 0 << "Sbn" << 0 << 2 << " ";
        QTest::newRow("up to forward") << "ab>cd" << 0 << 0 << "Ufp" << 2 << 0 << ">";
        QTest::newRow("up to backward") << "ab>cd" << 5 << 0 << "Ubp" << 3 << 0 << ">";
        QTest::newRow("up to none: end") << "abcd" << 1 << 0 << "Ufp" << 4 << 0 << ">";
        QTest::newRow("up to none: start") << "abcd" << 3 << 0 << "Ubp" << 0 << 0 << ">";
        QTest::newRow("up to not in set") << "   x" << 0 << 0 << "Ufn" << 3 << 0 << " ";
        QTest::newRow("up to from selection end") << "a>b>c" << 0 << 2 << "Ufp" << 3 << 0 << ">";
    }
    void spanAndUpTo()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, op);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        RichTextBox box;
        box.setText(text);
        box.setSelStart(start);
        box.setSelLength(length);
        QFETCH(QString, set);
        const bool fwd = op[1] == u'f';
        const bool neg = op[2] == u'n';
        if (op[0] == u'S')
            box.Span(set, fwd, neg);
        else
            box.UpTo(set, fwd, neg);
        QCOMPARE(box.SelStart(), newStart);
        QCOMPARE(box.SelLength(), newLength);
    }
};
TESK_TEST(RichTextBoxTextTest)

class RichTextBoxFormatTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    void selColor()
    {
        RichTextBox box;
        box.setText(QStringLiteral("abc\r\ndef"));
        QCOMPARE(box.SelColor(), 0u);
        box.setSelStart(1);
        box.setSelLength(4);  // "bc\r\n"
        box.setSelColor(kBlue);
        QCOMPARE(box.SelColor(), kBlue);
        box.setSelStart(0);
        box.setSelLength(2);
        QCOMPARE(box.SelColor(), RichTextBox::kMixedColor);
        // The caret reports the character before it.
        box.setSelStart(2);
        QCOMPARE(box.SelColor(), kBlue);
        box.setSelStart(1);
        QCOMPARE(box.SelColor(), 0u);
        // At the start of a line: its first character.
        box.setSelStart(5);
        QCOMPARE(box.SelColor(), 0u);
        // Line breaks in a selection do not count.
        box.setSelStart(2);
        box.setSelLength(3);  // "c\r\n"
        QCOMPARE(box.SelColor(), kBlue);
        box.setSelStart(1);
        box.setSelLength(2);
        box.setSelColor(kRed);
        box.setSelStart(3);
        box.setSelLength(3);  // "\r\nd": the break is blue, d black
        QCOMPARE(box.SelColor(), 0u);
    }

    void typingColourAtCaret()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("ab"));
        box.setSelStart(1);
        box.setSelColor(kGreen);
        QCOMPARE(box.SelColor(), kGreen);
        QTest::keyClicks(&box, QStringLiteral("xy"));
        QCOMPARE(box.Text(), QStringLiteral("axyb"));
        box.setSelStart(1);
        box.setSelLength(2);
        QCOMPARE(box.SelColor(), kGreen);
        box.setSelStart(3);
        box.setSelLength(1);
        QCOMPARE(box.SelColor(), 0u);
    }

    void setSelTextUsesTypingColour()
    {
        RichTextBox box;
        box.setText(QStringLiteral("ab"));
        box.setSelStart(1);
        box.setSelLength(1);
        box.setSelColor(kRed);
        box.setSelStart(2);
        box.setSelText(QStringLiteral("cd"));
        box.setSelStart(2);
        box.setSelLength(2);
        QCOMPARE(box.SelColor(), kRed);
    }

    // Colour changes keep Text() as it was built and never move positions.
    void colourKeepsText()
    {
        RichTextBox box;
        box.setText(QStringLiteral("ab\r\ncd"));
        const QString t = box.Text();
        box.setSelStart(0);
        box.setSelLength(6);
        box.setSelColor(kRed);
        QCOMPARE(box.Text(), t);
        QCOMPARE(box.SelStart(), 0);
        QCOMPARE(box.SelLength(), 6);
    }

    void applyColorRunsIsOneUndoStep()
    {
        RichTextBox box;
        box.setText(QStringLiteral("0123456789\r\nabcdefghij"));
        QSignalSpy changes(&box, &RichTextBox::Change);
        std::vector<RichTextBox::ColorRun> runs{
            {10, 8, kBlue}, {0, 4, kRed}, {2, 4, kGreen}, {30, 5, kRed}, {5, -3, kRed}};
        box.applyColorRuns(runs);
        QCOMPARE(changes.count(), 1);
        auto colourAt = [&](int p) {
            box.setSelStart(p);
            box.setSelLength(1);
            return box.SelColor();
        };
        QCOMPARE(colourAt(0), kRed);
        QCOMPARE(colourAt(1), kRed);
        QCOMPARE(colourAt(2), kGreen);  // the later run wins
        QCOMPARE(colourAt(5), kGreen);
        QCOMPARE(colourAt(6), 0u);
        QCOMPARE(colourAt(12), kBlue);
        QCOMPARE(colourAt(17), kBlue);
        QCOMPARE(colourAt(18), 0u);
        QVERIFY(box.document()->isUndoAvailable());
        box.undo();
        for (int p : {0, 2, 12})
            QCOMPARE(colourAt(p), 0u);
        QVERIFY(!box.document()->isUndoAvailable());
        box.redo();
        QCOMPARE(colourAt(12), kBlue);
    }

    void indent()
    {
        RichTextBox box;
        box.setText(QStringLiteral("a\r\nb\r\nc\r\nd"));
        box.setSelStart(3);
        box.setSelLength(6);  // "b\r\nc\r\n": ends at the start of "d"
        box.setSelIndent(1080);
        box.setSelStart(0);
        QCOMPARE(box.SelIndent(), 0);
        box.setSelStart(3);
        QCOMPARE(box.SelIndent(), 1080);
        box.setSelStart(7);
        QCOMPARE(box.SelIndent(), 1080);
        box.setSelStart(9);
        QCOMPARE(box.SelIndent(), 0);
        const rtf::Content c = box.content();
        QCOMPARE(c.indents, (std::vector<int>{0, 1080, 1080, 0}));
        box.setSelStart(4);
        box.setSelIndent(567);
        QCOMPARE(box.SelIndent(), 567);
        box.undo();
        QCOMPARE(box.SelIndent(), 1080);
    }

    void standardFormatSetters()
    {
        RichTextBox box;
        box.setText(QStringLiteral("abc\r\ndef"));
        box.setSelStart(0);
        box.setSelLength(8);
        box.setSelColor(kBlue);
        box.setSelBold(false);
        box.setSelItalic(false);
        box.setSelUnderline(false);
        box.setSelStrikeThru(false);
        box.setSelCharOffset(0);
        box.setSelAlignment(0);
        box.setSelHangingIndent(0);
        box.setSelBullet(false);
        box.setSelFontName(QStringLiteral("Courier New"));
        box.setSelFontSize(12);
        box.setSelTabs({360, 720, 1080});
        QCOMPARE(box.Text(), QStringLiteral("abc\r\ndef"));
        QCOMPARE(box.SelColor(), kBlue);  // colours stay
        QTextCursor c(box.document());
        c.setPosition(1);
        QCOMPARE(c.charFormat().fontPointSize(), 12.0);
        QCOMPARE(c.blockFormat().tabPositions().size(), 3);
    }

    void content()
    {
        RichTextBox box;
        box.setText(QStringLiteral("\r\nab\r\n\r\ncd"));
        box.setSelStart(3);
        box.setSelLength(1);
        box.setSelColor(kRed);
        const rtf::Content c = box.content();
        QCOMPARE(c.text, QStringLiteral("\nab\n\ncd"));
        QCOMPARE(c.colors, (std::vector<rtf::ColorChange>{{0, 0}, {2, kRed}, {5, 0}}));
        RichTextBox other;
        other.setContent(c);
        QCOMPARE(other.content(), c);
        QCOMPARE(other.Text(), box.Text());
    }
};
TESK_TEST(RichTextBoxFormatTest)

class RichTextBoxEventTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    void keyDownConsumes()
    {
        RichTextBox box;
        box.show();
        QList<QPair<int, int>> seen;
        box.onKeyDown = [&](int& code, int shift) {
            seen << qMakePair(code, shift);
            if (code == 'B' && shift == 2)
                code = 0;
        };
        QTest::keyClick(&box, Qt::Key_A);
        QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(&box, 'B', Qt::ShiftModifier);
        QCOMPARE(box.Text(), QStringLiteral("aB"));
        QVERIFY(seen.contains(qMakePair(int('A'), 0)));
        QVERIFY(seen.contains(qMakePair(int('B'), 2)));
        QVERIFY(seen.contains(qMakePair(int('B'), 1)));
    }

    void keyPressReplacesOrDrops()
    {
        RichTextBox box;
        box.show();
        box.onKeyPress = [](QString& t) {
            if (t == QLatin1String("e"))
                t = QStringLiteral("&eacute;");
            else if (t == QLatin1String("x"))
                t.clear();
        };
        QTest::keyClicks(&box, QStringLiteral("axe"));
        QCOMPARE(box.Text(), QStringLiteral("a&eacute;"));
        QCOMPARE(box.SelStart(), 9);
    }

    void shiftEnterIsAnOrdinaryBreak()
    {
        RichTextBox box;
        box.show();
        QTest::keyClicks(&box, QStringLiteral("ab"));
        QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, QStringLiteral("c"));
        QCOMPARE(box.Text(), QStringLiteral("ab\r\n\r\nc"));
        QCOMPARE(box.SelStart(), 7);
    }

    void undoRedoKeys()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("base"));
        QVERIFY(!box.document()->isUndoAvailable());  // a fresh history
        box.setSelStart(4);
        QTest::keyClicks(&box, QStringLiteral("xyz"));
        QCOMPARE(box.Text(), QStringLiteral("basexyz"));
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box.Text(), QStringLiteral("base"));
        QTest::keyClick(&box, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box.Text(), QStringLiteral("basexyz"));
        QCOMPARE(box.TextLength(), 7);
    }

    void mouseUp()
    {
        RichTextBox box;
        box.resize(200, 100);
        box.show();
        box.setText(QStringLiteral("abc"));
        int button = 0, shift = -1;
        box.onMouseUp = [&](int b, int s, QPoint) {
            button = b;
            shift = s;
        };
        QTest::mouseClick(box.viewport(), Qt::RightButton, Qt::ControlModifier, QPoint(5, 5));
        QCOMPARE(button, 2);
        QCOMPARE(shift, 2);
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button, 1);
        QCOMPARE(shift, 0);
    }

    void changeSignal()
    {
        RichTextBox box;
        QSignalSpy spy(&box, &RichTextBox::Change);
        box.setText(QStringLiteral("abc"));
        QCOMPARE(spy.count(), 1);
        box.setSelStart(1);
        box.setSelLength(1);
        box.setSelColor(kRed);  // colouring is a change to be saved
        QCOMPARE(spy.count(), 2);
        box.setSelText(QStringLiteral("x"));
        QCOMPARE(spy.count(), 3);
        box.setSelStart(0);  // moving is not
        QCOMPARE(spy.count(), 3);
    }

    void pastesPlainTextOnly()
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
        box.setSelStart(0);
        box.setSelLength(box.TextLength());
        QCOMPARE(box.SelColor(), 0u);
        QTextCursor c(box.document());
        c.setPosition(3);
        QVERIFY(c.charFormat().fontWeight() != QFont::Bold);
        // Copying gives plain text only.
        box.setSelStart(1);
        box.setSelLength(8);
        box.syncCursor();
        box.copy();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("<b>X</b>"));
    }

    void focusSignals()
    {
        RichTextBox box;
        box.show();
        QSignalSpy got(&box, &RichTextBox::GotFocus);
        QSignalSpy lost(&box, &RichTextBox::LostFocus);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&box, &in);
        QCOMPARE(got.count(), 1);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&box, &out);
        QCOMPARE(lost.count(), 1);
    }

    // Hidden selection: the program's selection moves, the widget's does not
    // until it is shown again.
    void hideSelection()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("one two three"));
        box.setSelStart(1);
        QCOMPARE(box.textCursor().position(), 1);
        box.setHideSelection(true);
        box.setSelStart(4);
        box.setSelLength(3);
        QCOMPARE(box.SelStart(), 4);
        QCOMPARE(box.SelText(), QStringLiteral("two"));
        QCOMPARE(box.textCursor().hasSelection(), false);
        box.setSelColor(kRed);
        box.setHideSelection(false);
        QCOMPARE(box.textCursor().selectedText(), QStringLiteral("two"));
        QCOMPARE(box.SelColor(), kRed);
    }

    // A selection set without the focus while hidden is not shown; the
    // program keeps it, and typing starts from it when the focus returns.
    void typingAfterHiddenChanges()
    {
        RichTextBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setText(QStringLiteral("abcdef"));
        box.setHideSelection(true);
        box.setSelStart(2);
        box.setSelLength(2);
        box.activateWindow();
        box.setFocus();
        QTest::keyClicks(&box, QStringLiteral("X"));
        QCOMPARE(box.Text(), QStringLiteral("abXef"));
        QCOMPARE(box.SelStart(), 3);
    }

    void userCursorIsFollowed()
    {
        RichTextBox box;
        box.show();
        box.setText(QStringLiteral("abc\r\ndef"));
        QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(box.SelStart(), 8);
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(box.SelStart(), 6);
        QCOMPARE(box.SelText(), QStringLiteral("ef"));
    }

    void rightMargin()
    {
        RichTextBox box;
        box.setRightMargin(1500);
        QCOMPARE(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
        QVERIFY(box.lineWrapColumnOrWidth() > 0);
        box.setRightMargin(-50);
        QCOMPARE(box.lineWrapMode(), QTextEdit::WidgetWidth);
    }

    void editorFont()
    {
        state().Font_Name = QStringLiteral("Courier New");
        state().Font_Size = 14;
        RichTextBox box;
        QCOMPARE(box.document()->defaultFont().pointSize(), 14);
        box.setText(QStringLiteral("x"));
        QCOMPARE(box.document()->defaultFont().pointSize(), 14);
    }
};
TESK_TEST(RichTextBoxEventTest)

class RichTextBoxFileTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    void rtfRoundTrip()
    {
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("page.rtf"));
        RichTextBox box;
        box.setText(QString::fromUtf16(u"<p>\u00e9\u20ac\u4e2d {x}\\</p>\r\n\tend\r\n"));
        box.setSelStart(0);
        box.setSelLength(3);
        box.setSelColor(kBlue);
        box.setSelStart(6);
        box.setSelIndent(720);
        QVERIFY(box.SaveFile(path, 0));
        RichTextBox back;
        QVERIFY(back.LoadFile(path));
        QCOMPARE(back.Text(), box.Text());
        QCOMPARE(back.content(), box.content());
        QVERIFY(!back.document()->isUndoAvailable());
    }

    void plainSave()
    {
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("page.htm"));
        RichTextBox box;
        box.setText(QString::fromUtf16(u"a\u00e9\r\nb\r\n"));
        QVERIFY(box.SaveFile(path, 1));
        QCOMPARE(tesk::test::readFile(path), QByteArray("a\xc3\xa9\r\nb\r\n"));
        RichTextBox back;
        QVERIFY(back.LoadFile(path));  // not RTF: plain text
        QCOMPARE(back.Text(), box.Text());
    }

    void plainTextFilesOfAnyLineEnd()
    {
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("unix.txt"));
        QVERIFY(tesk::test::writeFile(path, QByteArray("a\nb\rc\r\n\xe9")));  // not UTF-8: 1252
        RichTextBox box;
        QVERIFY(box.LoadFile(path));
        QCOMPARE(box.Text(), QString::fromUtf16(u"a\r\nb\r\nc\r\n\u00e9"));
    }

    void missingFileKeepsDocument()
    {
        RichTextBox box;
        box.setText(QStringLiteral("keep"));
        QVERIFY(!box.LoadFile(QStringLiteral("/nonexistent/folder/x.rtf")));
        QCOMPARE(box.Text(), QStringLiteral("keep"));
        QCOMPARE(box.lastFileError(), int(fs::Result::PathNotFound));
    }

    void saveIntoMissingFolder()
    {
        RichTextBox box;
        box.setText(QStringLiteral("x"));
        QVERIFY(!box.SaveFile(QStringLiteral("/nonexistent/folder/x.rtf"), 0));
        QCOMPARE(box.lastFileError(), int(fs::Result::PathNotFound));
        QVERIFY(!box.SaveFile(QStringLiteral("/nonexistent/folder/x.htm"), 1));
        QCOMPARE(box.Text(), QStringLiteral("x"));
    }

    void failedSaveKeepsFile()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not bind root");
        tesk::test::TempSite site;
        const QString path = site.path(QStringLiteral("locked.rtf"));
        QVERIFY(tesk::test::writeFile(path, QByteArray("old")));
        tesk::test::setReadOnly(path, true);
        RichTextBox box;
        box.setText(QStringLiteral("new"));
        QVERIFY(!box.SaveFile(path, 0));
        QCOMPARE(box.lastFileError(), int(fs::Result::PermissionDenied));
        tesk::test::setReadOnly(path, false);
        QCOMPARE(tesk::test::readFile(path), QByteArray("old"));
    }
};
TESK_TEST(RichTextBoxFileTest)

#include "rich_text_box_test.moc"
