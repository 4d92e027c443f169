// The rich-text control against a plain QString model of its text, in which
// every line break is CR LF (the mapping to the document alone is checked
// in text_positions_test): selection, editing and search through the
// control, also between the CR and the LF of a break; colours, indents and
// files; what the user's keys, mouse and clipboard do in it.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/palette.h"
#include "platform/text_positions.h"

#include <QClipboard>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

using namespace tesk::test;

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
    static const char16_t* const bits[] = {u"a", u" ", u"\t", u"\u00e9", u"\u4e2d", u"\r\n", u"\r\n",
                                           u"<", u"_", u"Word", u"\U0001F600", u"\u00a0", u"x_y"};
    QString s;
    for (int i = 0; i < pieces; ++i)
        s += QString::fromUtf16(bits[rng.bounded(int(std::size(bits)))]);
    return s;
}

// The document's text with CR LF breaks, read past the control's own cache.
QString documentText(RichTextBox& box)
{
    return box.document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
}

} // namespace

class RichTextBoxTextTest : public QObject {
    Q_OBJECT
private slots:
    // A long seeded run against the model. Every selection, out of range
    // and between CR and LF too, reads back exactly, from the document or
    // from a Text() built before; edits through the control keep the text
    // cache, edits through someone else's cursor make it stale and move the
    // selection with its text.
    void randomEditsAgainstModel()
    {
        QRandomGenerator rng(20240611);
        RichTextBox box;
        QString model = randomText(rng, 200);
        box.setText(model);
        QCOMPARE(sel(box), Sel(0, 0));
        auto isHalf = [&](int p) { return p > 0 && p < model.size() && model[p - 1] == u'\r'; };
        for (int step = 0; step < 3000; ++step) {
            const int n = int(model.size());
            const int s = rng.bounded(-1, n + 2), len = rng.bounded(-1, 14);
            const int es = std::clamp(s, 0, n), el = std::clamp(len, 0, n - es);
            select(box, s, len);
            QCOMPARE(sel(box), Sel(es, el));
            const bool wholeBreaks = !isHalf(es) && !isHalf(es + el);
            switch (rng.bounded(5)) {
            case 0:
                QCOMPARE(box.SelText(), model.mid(es, el));
                break;
            case 1:
                if (wholeBreaks) {  // the model cannot split a break
                    const QString ins = randomText(rng, rng.bounded(8));
                    box.setSelText(ins);
                    model.replace(es, el, ins);
                    QCOMPARE(sel(box), Sel(es + int(ins.size()), 0));
                }
                break;
            case 2: {
                const QString what = model.mid(rng.bounded(n + 1), rng.bounded(4));
                const int opt = int(rng.bounded(4)) * 2, end = rng.bounded(3) ? rng.bounded(n + 2) : -1;
                const int want = textpos::find(model, what, s, end, opt);
                QCOMPARE(box.Find(what, s, end, opt), want);
                QCOMPARE(sel(box), want >= 0 ? Sel(want, what.size()) : Sel(es, el));
                break;
            }
            case 3:  // someone else's edit where the selection starts
                if (wholeBreaks && es > 0) {
                    QTextCursor other(box.document());
                    other.setPosition(textpos::Locator().toDocument(*box.document(), es));
                    other.insertText(QStringLiteral("#"));
                    model.insert(es, u'#');
                    QCOMPARE(sel(box), Sel(es, el ? el + 1 : 0));
                }
                break;
            default:
                QCOMPARE(box.TextLength(), n);
                QCOMPARE(box.Text(), model);
                break;
            }
        }
        QCOMPARE(box.Text(), model);
        QCOMPARE(documentText(box), model);
    }

    // T: set the selected text. S: span, U: up to; > forward, < backward;
    // ! over (or up to) characters not in the set.
    void edits_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("after");
        QTest::newRow("replace selection") << "a[b]c" << "T" << "XY" << "aXY|c";
        QTest::newRow("lone CR and LF count as CR LF") << "a|b" << "T" << "\r\n\n\r" << "a\r\n\r\n\r\n|b";
        QTest::newRow("between CR and LF goes before the break") << "a\r|\nb" << "T" << "z" << "az|\r\nb";
        QTest::newRow("from between CR and LF") << "a\r[\nb]c" << "T" << "Q" << "aQ|c";
        QTest::newRow("up to between CR and LF") << "a[b\r]\nc" << "T" << "Q" << "aQ|\r\nc";
        QTest::newRow("span back, not in set") << "ab cd[_]ef gh" << "S<!" << " " << "ab [cd_]ef gh";
        QTest::newRow("span forward, not in set") << "ab cd[_]ef gh" << "S>!" << " " << "ab cd[_ef] gh";
        QTest::newRow("span forward in set") << "|aaab" << "S>" << "a" << "[aaa]b";
        QTest::newRow("span stops at LF, not CR") << "a[_]b\r\nc" << "S>!" << " \n" << "a[_b\r]\nc";
        QTest::newRow("span back to the start") << "ab|c" << "S<!" << " " << "[ab]c";
        QTest::newRow("up to forward") << "|ab>cd" << "U>" << ">" << "ab|>cd";
        QTest::newRow("up to none: end") << "a|bcd" << "U>" << ">" << "abcd|";
        QTest::newRow("up to none: start") << "abc|d" << "U<" << ">" << "|abcd";
        QTest::newRow("up to not in set") << "|   x" << "U>!" << " " << "   |x";
        QTest::newRow("up to from the selection's end") << "[a>]b>c" << "U>" << ">" << "a>b|>c";
    }
    void edits()
    {
        QFETCH(QString, before);
        QFETCH(QString, op);
        QFETCH(QString, arg);
        RichTextBox box;
        setDrawn(box, before);
        (void)box.Text();  // a current text cache must be updated, not kept
        if (op == QLatin1String("T"))
            box.setSelText(arg);
        else if (op[0] == u'S')
            box.Span(arg, op[1] == u'>', op.endsWith(u'!'));
        else
            box.UpTo(arg, op[1] == u'>', op.endsWith(u'!'));
        QTEST(drawn(box), "after");
        QCOMPARE(documentText(box), box.Text());
    }
};
TESK_TEST(RichTextBoxTextTest)

// Colours, indents and the document as a whole, in memory and in files. (A
// load or save that fails: the editor window's rows.)
class RichTextBoxFormatTest : public QObject {
    Q_OBJECT
private slots:
    // "abc\r\ndef" with "bc\r\n" blue. The caret reports the character
    // before it, at the start of a line its first character; line breaks in
    // a selection do not count.
    void selColor_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<quint32>("color");
        QTest::newRow("after black") << "a|bc\r\ndef" << 0u;
        QTest::newRow("after blue") << "ab|c\r\ndef" << kBlue;
        QTest::newRow("line start: its first character") << "abc\r\n|def" << 0u;
        QTest::newRow("two colours") << "[ab]c\r\ndef" << RichTextBox::kMixedColor;
        QTest::newRow("break left out") << "ab[c\r\n]def" << kBlue;
        QTest::newRow("break left out before black") << "abc[\r\nd]ef" << 0u;
        QTest::newRow("from between CR and LF") << "abc\r[\nd]ef" << 0u;
    }
    void selColor()
    {
        QFETCH(QString, at);
        RichTextBox box;
        setDrawn(box, QStringLiteral("a[bc\r\n]def"));
        box.setSelColor(kBlue);
        QCOMPARE(drawn(box), QStringLiteral("a[bc\r\n]def"));  // colouring keeps text and selection
        const auto [start, length] = undraw(at);
        select(box, start, length);
        QTEST(box.SelColor(), "color");
    }

    // A colour set at the caret goes to what is typed there; text put in at
    // a caret takes the colour before it.
    void typingColour()
    {
        RichTextBox box;
        box.show();
        setDrawn(box, QStringLiteral("a|b"));
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

    // Only a key that changes the text tells of a change: one that moves
    // the caret or does nothing leaves a page as opened, unchanged.
    void keysTellChangesOnly_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        QTest::newRow("shift") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "ab";
        QTest::newRow("alt") << int(Qt::Key_Alt) << int(Qt::AltModifier) << "ab";
        QTest::newRow("right") << int(Qt::Key_Right) << 0 << "ab";
        QTest::newRow("shift+end") << int(Qt::Key_End) << int(Qt::ShiftModifier) << "ab";
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << "ab";
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "b";
        QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "a";
        QTest::newRow("letter") << int(Qt::Key_X) << 0 << "axb";
    }
    void keysTellChangesOnly()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, after);
        RichTextBox box;
        int told = 0;  // the source window's colouring follows each edit
        box.onTextEdit = [&](int, int, const QString&, RichTextBox::EditKind) { ++told; };
        box.show();
        setDrawn(box, QStringLiteral("a|b"));
        told = 0;
        QSignalSpy changes(&box, &RichTextBox::Change);
        QTest::keyClick(&box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box.Text(), after);
        QCOMPARE(changes.count(), after == "ab" ? 0 : 1);
        QCOMPARE(told, after == "ab" ? 0 : 1);
    }

    void applyColorRunsIsOneUndoStep()
    {
        RichTextBox box;
        box.setText(QStringLiteral("0123456789\r\nabcdefghij"));
        box.setSelStart(1);
        box.setSelLength(2);
        box.setSelBold(true);
        box.document()->clearUndoRedoStacks();
        QSignalSpy changes(&box, &RichTextBox::Change);
        // Any order, overlapping (the later run wins), past the end, negative.
        const std::vector<RichTextBox::ColorRun> runs{
            {10, 8, kBlue}, {0, 4, kRed}, {2, 4, kGreen}, {30, 5, kRed}, {5, -3, kRed}};
        box.applyColorRuns(runs);
        QCOMPARE(changes.count(), 1);
        const Colours coloured{{0, kRed}, {2, kGreen}, {6, 0}, {11, kBlue}, {17, 0}};
        QCOMPARE(box.content().colors, coloured);
        // Only the colour changes: the bold characters stay bold.
        for (int p : {1, 2, 3, 4})
            QCOMPARE(richdoc::formatAt(*box.document(), p).fontWeight() == QFont::Bold, p == 2 || p == 3);
        // Coloured again alike: nothing changes, and no second undo step.
        box.applyColorRuns(runs);
        box.undo();
        QCOMPARE(box.content().colors, (Colours{{0, 0}}));
        QVERIFY(!box.document()->isUndoAvailable());
    }

    // The selected lines (a selection that ends at the start of a line
    // leaves it out); the caret's line; undone in one step.
    void indent()
    {
        RichTextBox box;
        setDrawn(box, QStringLiteral("a\r\n[b\r\nc\r\n]d"));
        box.setSelIndent(1080);
        QCOMPARE(box.content().indents, (std::vector<int>{0, 1080, 1080, 0}));
        for (const auto& [at, twips] : {Sel(2, 0), Sel(3, 1080), Sel(7, 1080), Sel(9, 0)}) {
            box.setSelStart(at);
            QCOMPARE(box.SelIndent(), twips);
        }
        box.setSelIndent(567);
        box.undo();
        QCOMPARE(box.SelIndent(), 0);
    }

    // The document as a whole: text with LF breaks, colours (a leading
    // break takes the first colour), indents; set again, the same. (Saved
    // and loaded as source and page files: the editor window's tests.)
    void content()
    {
        RichTextBox box, other;
        setDrawn(box, QStringLiteral("\r\n[<p>]x\r\n\r\nend\r\n"));
        box.setSelColor(kBlue);
        box.setSelStart(7);
        box.setSelIndent(720);
        const rtf::Content c = box.content();
        QCOMPARE(c, (rtf::Content{"\n<p>x\n\nend\n", {{0, kBlue}, {4, 0}}, {0, 720, 0, 0, 0}}));
        other.setContent(c);
        QCOMPARE(other.content(), c);
    }

    // The owner's font, tab width and twips per pixel: the font stays with a
    // new document and is the one saved files name; indents, tabs and the
    // wrap width turn into pixels by the given measure.
    void editorStyle()
    {
        RichTextBox box;
        box.setEditorStyle({QStringLiteral("Courier New"), 14, 720, 30.0});
        box.setText(QStringLiteral("x"));
        QCOMPARE(box.document()->defaultFont().pointSize(), 14);
        QCOMPARE(box.tabStopDistance(), 24.0);
        box.setSelIndent(1440);
        QCOMPARE(box.document()->begin().blockFormat().leftMargin(), 48.0);
        TempSite site;
        QVERIFY(box.SaveFile(site.path(QStringLiteral("x.rtf")), 0));
        QVERIFY(readFile(site.path(QStringLiteral("x.rtf"))).contains("Courier New"));
    }
};
TESK_TEST(RichTextBoxFormatTest)

class RichTextBoxEventTest : public QObject {
    Q_OBJECT
private slots:
    // Key press may drop what is typed; Shift+Enter is an ordinary break; a
    // selection made with keys is the program's; Ctrl+Z and Ctrl+Y undo and
    // redo. (Key codes consumed and typing replaced, the mouse buttons, the
    // focus signals and what counts as a change are the editor window's
    // tests' part.)
    void keys()
    {
        RichTextBox box;
        box.resize(200, 100);
        box.show();
        box.onKeyPress = [](QString& t) { t.remove(u'x'); };
        QTest::keyClicks(&box, QStringLiteral("axbc"));
        QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClick(&box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&box, Qt::Key_End);
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(drawn(box), QStringLiteral("ab[c]\r\n\r\n"));
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box.Text(), QStringLiteral("abc\r\n\r\n"));
        QTest::keyClick(&box, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box.Text(), QStringLiteral("ab\r\n\r\n"));
    }

    void pastesAndCopiesPlainTextOnly()
    {
        RichTextBox box;
        box.show();
        setDrawn(box, QStringLiteral("a|b"));
        box.syncCursor();
        auto* mime = new QMimeData;
        mime->setHtml(QStringLiteral("<b style=\"color:red\">X</b>"));
        mime->setText(QStringLiteral("<b>X</b>\r\nY"));
        QGuiApplication::clipboard()->setMimeData(mime);
        box.paste();
        QCOMPARE(box.Text(), QStringLiteral("a<b>X</b>\r\nYb"));
        QCOMPARE(box.content().colors, (Colours{{0, 0}}));
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
        setDrawn(box, QStringLiteral("o|ne two three"));
        box.setHideSelection(true);
        select(box, 4, 3);
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
};
TESK_TEST(RichTextBoxEventTest)

#include "rich_text_box_test.moc"
