// The colour-coding command, the Ctrl-key conversions and the standard
// format, carried out on a bare rich-text box.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/palette.h"
#include "platform/vb_keys.h"
#include "text/color_coding.h"
#include "source/text_commands.h"

#include "../../bench/html_sample.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

using tesk::test::ScriptedDialogs;

namespace {

// A colour no slot has by default, so characters that keep their colour show.
constexpr int kOldColour = 13;

// One character per character of the box's text, line breaks left out: the
// slot whose colour it has, 'm' for the old colour, '?' for anything else.
QString boxColours(RichTextBox& box)
{
    const rtf::Content c = box.content();
    const auto& numbers = state().Code_Color_Numbers;
    QString s;
    for (int i = 0; i < c.text.size(); ++i) {
        const int index = Palette_Index(c.colorAt(i));
        const int slot = int(std::find(numbers.begin(), numbers.end(), index) - numbers.begin());
        if (c.text[i] != QLatin1Char('\n'))
            s += index == kOldColour ? QLatin1Char('m') : slot < 4 ? QLatin1Char(char('0' + slot)) : QLatin1Char('?');
    }
    return s;
}

// A digit per slot, 'm' for none, the text's line breaks left out, as
// boxColours.
QString slotString(const std::vector<qint8>& perChar, const QString& text)
{
    QString s;
    for (size_t i = 0; i < perChar.size(); ++i)
        if (text[int(i)] != QLatin1Char('\r') && text[int(i)] != QLatin1Char('\n'))
            s += perChar[i] < 0 ? QLatin1Char('m') : QLatin1Char(char('0' + perChar[i]));
    return s;
}

} // namespace

class ColorCodeCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    // Only colours change, in one undo step, with the chosen colours, as the
    // scan says; the caret goes back. A long text with nothing selected asks
    // first.
    void colourCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("answer");  // to the long-text question; "" when not asked
        const QString page = tesk::sample::Sample_Html(10000, 3);
        const auto longText = [](int size) { return QStringLiteral("<b>x</b> ").repeated(size / 9 + 1).left(size); };
        QTest::newRow("whole page") << page << 0 << 0 << "";
        QTest::newRow("empty text") << QString() << 0 << 0 << "";
        QTest::newRow("15000 characters: no question") << longText(15000) << 9 << 0 << "";
        QTest::newRow("15001 characters, Yes") << longText(15001) << 9 << 0 << "Yes";
        QTest::newRow("15001 characters, No") << longText(15001) << 9 << 0 << "No";
        QTest::newRow("15001 characters, one selected") << longText(15001) << 9 << 1 << "";
    }
    void colourCode()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, answer);
        state().Code_Color_Numbers = {4, 5, 6, 7};
        RichTextBox box;
        box.setText(text);
        box.setSelStart(0);
        box.setSelLength(box.TextLength());
        box.setSelColor(Palette_Color(kOldColour));
        box.setSelStart(start);
        box.setSelLength(length);
        const QString before = boxColours(box);
        ScriptedDialogs dialogs;
        if (!answer.isEmpty())
            dialogs.expectMessage(QStringLiteral("This is a long file. Color Code it Now?"),
                                  answer == QLatin1String("Yes") ? dialogs::Answer::Yes : dialogs::Answer::No);

        Color_Code_Source(box);

        QVERIFY(dialogs.allUsed());
        const bool coloured = answer != QLatin1String("No");
        QCOMPARE(box.Text(), text);
        QCOMPARE(boxColours(box),
                 coloured ? slotString(colorcode::Color_Code_Slots(text, start, length), text) : before);
        QCOMPARE(box.SelStart(), start);
        QCOMPARE(box.SelLength(), coloured ? 0 : length);
        if (boxColours(box) != before) {
            // One undo takes every colour back.
            box.document()->undo();
            QCOMPARE(boxColours(box), before);
            QCOMPARE(box.Text(), text);
        }
    }

    // A long page shows its progress; Cancel at any point leaves the text,
    // its colours, the selection and the undo history as they were, and
    // the page unchanged. Left to run, the bar reaches its end.
    void cancelLeavesPage_data()
    {
        // The first step that has come this far (of 1000) answers Cancel.
        QTest::addColumn<int>("cancelFrom");
        QTest::newRow("before the scan") << 0;
        QTest::newRow("after the scan") << 1;
        QTest::newRow("while colouring") << 300;
        QTest::newRow("not cancelled") << -1;
    }
    void cancelLeavesPage()
    {
        QFETCH(int, cancelFrom);
        // Enough colour changes for the colouring to report progress itself.
        const QString text = tesk::sample::Sample_Html(400000);
        RichTextBox box;
        box.setText(text);
        box.setSelStart(0);
        box.setSelLength(box.TextLength());
        box.setSelColor(Palette_Color(kOldColour));
        box.setSelStart(7);
        box.setSelText(QStringLiteral("x"));
        box.setSelStart(20);
        const QString typed = box.Text();
        const QString before = boxColours(box);
        QSignalSpy changes(&box, &RichTextBox::Change);
        struct Answering : dialogs::Progress {
            Answering(int from, QList<qint64>& seen) : from(from), seen(seen) {}
            bool step(qint64 done) override
            {
                seen << done;
                return from < 0 || done < from;
            }
            int from;
            QList<qint64>& seen;
        };
        QList<qint64> seen;
        ScriptedDialogs dialogs;
        dialogs.answerNextMessage(dialogs::Answer::Yes);
        dialogs.onProgress([&](const dialogs::ProgressRequest&) { return std::make_unique<Answering>(cancelFrom, seen); });

        Color_Code_Source(box);

        QVERIFY(dialogs.allUsed());
        QCOMPARE(box.Text(), typed);
        QCOMPARE(box.SelStart(), 20);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        if (cancelFrom >= 0) {
            QVERIFY(seen.back() >= cancelFrom);
            QCOMPARE(boxColours(box), before);
            QCOMPARE(changes.count(), 0);
            box.undo();
            QCOMPARE(box.Text(), text);
        } else {
            QVERIFY(seen.size() > 3);
            QCOMPARE(seen.back(), dialogs.progressRequests().constFirst().total);
            QVERIFY(boxColours(box) != before);
            QCOMPARE(changes.count(), 1);
        }
    }
};
TESK_TEST(ColorCodeCommandTest)

class ConvertKeyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tesk::test::resetProgram();
        state().Bookmark_Chars = QStringLiteral("#Mark");
    }

    // One row per kind of conversion, each way the Shift key counts, and
    // keys that pass through.
    void conversions_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("before");  // see setDrawn
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<QString>("pending");  // the entity ending, then the colour panel

        const QString pb = state().Page_Break_Tag;
        auto row = [](const char* name, int key, bool shift, const QString& before, const QString& after,
                      bool consumed = true, const char* pending = " ") {
            QTest::newRow(name) << key << shift << before << after << consumed << QString::fromLatin1(pending);
        };
        const QString marks = QStringLiteral("ab#Markcd#Markef#MARKghijkl");  // at 2, 9 and 16
        row("Enter: page break", vb::Key_Return, false, "a|b", "a" + pb + "\r\n|b");
        row("Shift+Space: the same, Shift or not", vb::Key_Space, true, "a[x]b", "a&nbsp;|b");
        row("B with a word: around it", 'B', false, "a [word] b", "a <b>word</b>| b");
        row("B without selection: the opening tag", 'B', false, "a|", "a<b>|");
        row("Shift+B: the closing tag after the word", 'B', true, "[word] b", "word</b>| b");
        row("F1 with a title: a line of its own, the key goes on", vb::Key_F1, false, "[Title]", "<h1>Title</h1>\r\n|",
            false);
        row("Shift+F3: the closing tag", vb::Key_F1 + 2, true, "[T]", "T</h3>|", false);
        row(". with five characters and a line break", vb::Key_Period, false, "[Hello\r\n]x", "<p>Hello</p>\r\n|x");
        row(". with two: only the opening tag", vb::Key_Period, false, "[ab]c", "<p>|c");
        row("Shift+V: the clipboard's text, plain", 'V', true, "a [x]b", "a one\r\ntwo|b");
        row("apostrophe: an accent waits for its letter", vb::Key_Apostrophe, false, "a|", "a|", true, "acute; Acute");
        row("G: after the next bookmark", 'G', false, "|" + marks, marks.left(7) + "|" + marks.mid(7));
        row("G: one at the caret counts", 'G', false, marks.left(9) + "|" + marks.mid(9),
            marks.left(14) + "|" + marks.mid(14));
        row("G: past the last, wraps; letter case counts", 'G', false, marks.left(10) + "|" + marks.mid(10),
            marks.left(7) + "|" + marks.mid(7));
        row("G: none: the caret stays", 'G', false, "a #mark |b", "a #mark |b");
        row("Shift+G: the start of the previous, any case", 'G', true, marks + "|",
            marks.left(16) + "|" + marks.mid(16));
        row("Shift+G: right after one skips it", 'G', true, marks.left(21) + "|" + marks.mid(21),
            marks.left(9) + "|" + marks.mid(9));
        row("Shift+G: before the first wraps to the last", 'G', true, marks.left(2) + "|" + marks.mid(2),
            marks.left(16) + "|" + marks.mid(16));
        row("K: after the next page break", 'K', false, "|a" + pb + "\r\nb", "a" + pb + "|\r\nb");
        row("K: no page break leaves the selection", 'K', true, "a[b]c", "a[b]c");
        // Keys kept for the editor (with Shift only in the table, or not there).
        row("Ctrl+1 passes", '1', false, "a[bc]d", "a[bc]d", false);
        row("Ctrl+Shift+A passes", 'A', true, "a[bc]d", "a[bc]d", false);
    }
    void conversions()
    {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(QString, before);
        QFETCH(bool, consumed);
        QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
        RichTextBox box;
        tesk::test::setDrawn(box, before);
        const int original = key;

        Convert_Key(box, key, shift);

        QTEST(tesk::test::drawn(box), "after");
        QCOMPARE(key, consumed ? 0 : original);
        QTEST(state().Entity_Suffix + ' ' + state().Status_Color_Panel.text(), "pending");
    }

    void lineBreakFollowsTheXhtmlSetting()
    {
        RichTextBox box;
        for (const bool xhtml : {true, false}) {
            state().Use_XHTML = xhtml;
            int key = vb::Key_Comma;
            Convert_Key(box, key, false);
        }
        QCOMPARE(box.Text(), QStringLiteral("<br /><br>"));
    }
};
TESK_TEST(ConvertKeyTest)

class StandardFormatTest : public QObject {
    Q_OBJECT

private:
    // Per paragraph, '=' when it is left-aligned, without indent or bullet
    // and with the eight tab stops, '#' when not; then per character 'p'
    // plain in the editor font, 'f' when not.
    static QString formats(const QTextDocument& doc)
    {
        QStringList out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const QTextBlockFormat bf = b.blockFormat();
            QString s = (bf.alignment() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft && bf.textIndent() == 0.0
                    && !b.textList() && bf.tabPositions().size() == 8
                ? QStringLiteral("=")
                : QStringLiteral("#");
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat cf = it.fragment().charFormat();
                const bool plain = cf.fontWeight() != QFont::Bold && !cf.fontItalic() && !cf.fontUnderline()
                    && !cf.fontStrikeOut() && cf.verticalAlignment() == QTextCharFormat::AlignNormal
                    && cf.fontPointSize() == 12.0 && cf.fontFamilies().toStringList() == QStringList{"Courier New"};
                s += QString(it.fragment().length(), QLatin1Char(plain ? 'p' : 'f'));
            }
            out << s;
        }
        return out.join(' ');
    }

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    // All but the colours goes, in one undo step; the caret goes back.
    void removesFormattingAndKeepsCaret_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("after");  // the text is "<p>one", "\ttwo", "three</p>"
        QTest::newRow("nothing selected: the whole text") << 4 << 0 << true << "=pppppp =pppp =ppppppppp";
        QTest::newRow("a selection") << 6 << 9 << true << "=ffffff =pppp =pffffffff";
        QTest::newRow("disabled box: the selection stays") << 4 << 0 << false << "=pppppp =pppp =ppppppppp";
    }
    void removesFormattingAndKeepsCaret()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, enabled);
        state().Font_Name = QStringLiteral("Courier New");
        state().Font_Size = 12;
        state().Tab_Spacing = 720;
        RichTextBox box;
        const QString text = QStringLiteral("<p>one\r\n\ttwo\r\nthree</p>");
        box.setText(text);
        box.setSelStart(0);
        box.setSelLength(box.TextLength());
        box.setSelBold(true);
        box.setSelItalic(true);
        box.setSelUnderline(true);
        box.setSelStrikeThru(true);
        box.setSelCharOffset(60);
        box.setSelAlignment(2);
        box.setSelHangingIndent(200);
        box.setSelBullet(true);
        box.setSelFontName(QStringLiteral("Times New Roman"));
        box.setSelFontSize(20);
        box.setSelLength(3);
        box.setSelColor(Palette_Color(9));
        const std::vector<rtf::ColorChange> colours = box.content().colors;
        const QString before = formats(*box.document());
        box.setSelStart(start);
        box.setSelLength(length);
        box.setEnabled(enabled);

        Standard_Format(box);

        QCOMPARE(box.Text(), text);
        QCOMPARE(box.content().colors, colours);
        QTEST(formats(*box.document()), "after");
        QCOMPARE(box.SelStart(), enabled ? start : 0);
        QCOMPARE(box.SelLength(), enabled ? 0 : length ? length : int(text.size()));
        // One undo brings all the formatting back.
        box.document()->undo();
        QCOMPARE(formats(*box.document()), before);
        QCOMPARE(box.Text(), text);
    }
};
TESK_TEST(StandardFormatTest)

#include "text_commands_test.moc"
