// The colour-coding command, the Ctrl-key conversions and the standard
// format, carried out on a bare rich-text box.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "text/color_coding.h"
#include "source/text_commands.h"

#include "../../bench/html_sample.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

using tesk::test::ScriptedDialogs;

namespace {

// A colour no slot has by default, so characters that keep their colour show.
constexpr int kOldColour = 13;

// One character per character of the box's text, line breaks left out: the
// slot whose colour it has, 'm' for the old colour, '?' for anything else.
QString boxColours(RichTextBox& box)
{
    const rtf::Content c = box.content();
    QString s;
    for (int i = 0; i < c.text.size(); ++i) {
        if (c.text[i] == QLatin1Char('\n'))
            continue;
        const int index = Palette_Index(c.colorAt(i));
        const auto& numbers = state().Code_Color_Numbers;
        const auto slot = std::find(numbers.begin(), numbers.end(), index);
        s += index == kOldColour   ? QLatin1Char('m')
            : slot != numbers.end() ? QLatin1Char(char('0' + (slot - numbers.begin())))
                                    : QLatin1Char('?');
    }
    return s;
}

// What the scan says, in the same form.
QString expectedColours(const QString& text, int start, int length)
{
    const std::vector<qint8> perChar = colorcode::Color_Code_Slots(text, start, length);
    QString s;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            s += perChar[size_t(i)] < 0 ? QLatin1Char('m')
                                        : QLatin1Char(char('0' + perChar[size_t(i)]));
    return s;
}

void fill(RichTextBox& box, const QString& text)
{
    box.setText(text);
    box.setSelStart(0);
    box.setSelLength(box.TextLength());
    box.setSelColor(Palette_Color(kOldColour));
    box.setSelStart(0);
}

// Text with its selection: '[' and ']' around it, or '|' for a caret.
void setMarkedText(RichTextBox& box, QString s)
{
    int start = int(s.indexOf(QLatin1Char('|')));
    int length = 0;
    if (start >= 0) {
        s.remove(start, 1);
    } else {
        start = int(s.indexOf(QLatin1Char('[')));
        s.remove(start, 1);
        length = int(s.indexOf(QLatin1Char(']'))) - start;
        s.remove(start + length, 1);
    }
    box.setText(s);
    box.setSelStart(start);
    box.setSelLength(length);
}

QString markedText(RichTextBox& box)
{
    QString s = box.Text();
    const int start = box.SelStart(), length = box.SelLength();
    if (length == 0)
        return s.insert(start, QLatin1Char('|'));
    s.insert(start + length, QLatin1Char(']'));
    return s.insert(start, QLatin1Char('['));
}

} // namespace

class ColorCodeCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    // Only colours change, in one undo step, with the chosen colours; the
    // caret goes back. A long text with nothing selected asks first.
    void colourCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("answer");  // to the long-text question; "" when not asked
        const QString page = tesk::sample::Sample_Html(10000, 3);
        const auto longText = [](int size) { return QStringLiteral("<b>x</b> ").repeated(size / 9 + 1).left(size); };
        QTest::newRow("whole page") << page << 0 << 0 << "";
        QTest::newRow("part of a page") << page << 2000 << 3000 << "";
        QTest::newRow("selection from the first character") << page << 0 << 500 << "";
        QTest::newRow("style rule") << QStringLiteral("<style>p{color:red}</style>") << 0 << 0 << "";
        QTest::newRow("script over lines")
            << QStringLiteral("<p>\r\n\r\n<script>\r\nvar a_b = 1; // c\r\n</script>\r\n") << 0 << 0 << "";
        QTest::newRow("empty text") << QString() << 0 << 0 << "";
        QTest::newRow("15000 characters: no question") << longText(15000) << 9 << 0 << "";
        QTest::newRow("15001 characters, Yes") << longText(15001) << 9 << 0 << "Yes";
        QTest::newRow("15001 characters, No") << longText(15001) << 9 << 0 << "No";
        QTest::newRow("15001 characters, one selected") << longText(15001) << 9 << 1 << "";
        QTest::newRow("15001 characters, the rest selected") << longText(15001) << 9 << 15001 << "";
    }
    void colourCode()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, answer);
        state().Code_Color_Numbers = {4, 5, 6, 7};
        RichTextBox box;
        fill(box, text);
        box.setSelStart(start);
        box.setSelLength(length);
        const QString before = boxColours(box);
        ScriptedDialogs dialogs;
        if (!answer.isEmpty())
            dialogs.expectMessage(QStringLiteral("This is a long file. Color Code it Now?"),
                                  answer == QLatin1String("Yes") ? dialogs::Answer::Yes : dialogs::Answer::No);

        Color_Code_Source(box);

        QVERIFY(dialogs.allUsed());
        if (!answer.isEmpty()) {
            QCOMPARE(dialogs.messages().first().title, QStringLiteral("Color Code File"));
            QCOMPARE(dialogs.messages().first().buttons, dialogs::Buttons::YesNo);
        }
        const bool coloured = answer != QLatin1String("No");
        QCOMPARE(box.Text(), text);
        QCOMPARE(boxColours(box), coloured ? expectedColours(text, start, length) : before);
        QCOMPARE(box.SelStart(), start);
        QCOMPARE(box.SelLength(), coloured ? 0 : length);
        if (boxColours(box) != before) {
            // One undo takes every colour back.
            box.document()->undo();
            QCOMPARE(boxColours(box), before);
            QCOMPARE(box.Text(), text);
        }
    }

    // Editor runs: the CR LF between two characters of one slot joins them
    // when the next line has text, and nothing else changes.
    void lineBreaksJoinTheirNeighbours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("editor");
        QTest::newRow("tag, break, tag") << "<a>\r\n<b>" << "11100111" << "11111111";
        QTest::newRow("text, break, tag") << "x\r\n<b>" << "000111" << "000111";
        QTest::newRow("break before an empty line") << "<a>\r\n\r\n<b>" << "1110000111"
                                                    << "1110000111";
        QTest::newRow("break outside the selection") << ">\r\n<" << "1..1" << "1..1";
        QTest::newRow("break at the end") << "<a>\r\n" << "11100" << "11100";
    }
    void lineBreaksJoinTheirNeighbours()
    {
        QFETCH(QString, text);
        QFETCH(QString, given);
        std::vector<qint8> perChar;
        for (const QChar c : given)
            perChar.push_back(c == QLatin1Char('.') ? colorcode::kKeep : qint8(c.unicode() - '0'));
        std::vector<qint8> joined(perChar.size(), colorcode::kKeep);
        for (const auto& r : colorcode::Editor_Runs(text, perChar))
            std::fill_n(joined.begin() + r.start, r.length, qint8(r.slot));
        QString s;
        for (const qint8 v : joined)
            s += v < 0 ? QLatin1Char('.') : QLatin1Char(char('0' + v));
        QTEST(s, "editor");
    }
};
TESK_TEST(ColorCodeCommandTest)

class ConvertKeyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    // Each row of the key table once, and keys that pass through.
    void everyRow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("before");  // see setMarkedText
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("clipboard");

        const QString pageBreak = state().Page_Break_Tag;
        auto row = [](const char* name, int key, bool shift, const QString& before, const QString& after,
                      bool consumed = true, const char* suffix = "", const char* status = "",
                      const char* clipboard = "one\ntwo") {
            QTest::newRow(name) << key << shift << before << after << consumed << QString::fromLatin1(suffix)
                                << QString::fromLatin1(status) << QString::fromLatin1(clipboard);
        };
        row("Enter: page break", vb::Key_Return, false, "a|b", "a" + pageBreak + "\r\n|b");
        row("Shift+Enter: page break", vb::Key_Return, true, "a|b", "a" + pageBreak + "\r\n|b");
        row("Space", vb::Key_Space, false, "a[x]b", "a&nbsp;|b");
        row("Shift+1", '1', true, "|", "&iexcl;|");
        row("Shift+7", '7', true, "|", "&amp;|");
        row(",", vb::Key_Comma, false, "a|", "a<br>|");
        row("Shift+,", vb::Key_Comma, true, "|", "&lt;|");
        row("Shift+.", vb::Key_Period, true, "|", "&gt;|");
        row("Shift+/", vb::Key_Slash, true, "|", "&iquest;|");
        row("Shift+apostrophe", vb::Key_Apostrophe, true, "|", "&quot;|");
        row("B with a word", 'B', false, "a [word] b", "a <b>word</b>| b");
        row("B without selection", 'B', false, "a|", "a<b>|");
        row("Shift+B with a word", 'B', true, "[word] b", "word</b>| b");
        row("I with a word", 'I', false, "[w]", "<i>w</i>|");
        row("Shift+I", 'I', true, "[w]", "w</i>|");
        row("U without selection", 'U', false, "|", "<u>|");
        row("Shift+U", 'U', true, "[w]", "w</u>|");
        row("Shift+C with a word", 'C', true, "[w]", "<center>w</center>|");
        row("Shift+C without selection", 'C', true, "|", "<center>|");
        row("F1 with a title", vb::Key_F1, false, "[Title]", "<h1>Title</h1>\r\n|", false);
        row("F2 without selection", vb::Key_F1 + 1, false, "|", "<h2>|", false);
        row("F3", vb::Key_F1 + 2, false, "[T]", "<h3>T</h3>\r\n|", false);
        row("F4", vb::Key_F1 + 3, false, "[T]", "<h4>T</h4>\r\n|", false);
        row("F5", vb::Key_F5, false, "[T]", "<h5>T</h5>\r\n|", false);
        row("Shift+F1", vb::Key_F1, true, "[T]", "T</h1>|", false);
        row("Shift+F2", vb::Key_F1 + 1, true, "[T]", "T</h2>|", false);
        row("Shift+F3", vb::Key_F1 + 2, true, "|", "</h3>|", false);
        row("Shift+F4", vb::Key_F1 + 3, true, "[T]", "T</h4>|", false);
        row("Shift+F5", vb::Key_F5, true, "[T]", "T</h5>|", false);
        row(". with a five-letter word and a line break", vb::Key_Period, false,
            "[Hello\r\n]x", "<p>Hello</p>\r\n|x");
        row(". with five characters", vb::Key_Period, false, "[Hello]", "<p>Hello</p>\r\n|");
        row(". with two letters", vb::Key_Period, false, "[ab]c", "<p>|c");
        row("Shift+2: ring", '2', true, "a|", "a|", true, "ring;", "Ring");
        row("Shift+6: circumflex", '6', true, "a|", "a|", true, "circ;", "Circ");
        row(";: cedilla", vb::Key_Semicolon, false, "a|", "a|", true, "cedil;", "Cedil");
        row("Shift+;: umlaut", vb::Key_Semicolon, true, "a|", "a|", true, "uml;", "Uml");
        row("/: slash", vb::Key_Slash, false, "a|", "a|", true, "slash;", "Slash");
        row("grave accent key", vb::Key_Grave, false, "a|", "a|", true, "grave;", "Grave");
        row("Shift+grave accent key: tilde", vb::Key_Grave, true, "a|", "a|", true, "tilde;",
            "Tilde");
        row("apostrophe: acute", vb::Key_Apostrophe, false, "a|", "a|", true, "acute;", "Acute");
        row("G: next bookmark", 'G', false, "|a~~~b", "a~~~|b");
        row("Shift+G: previous bookmark", 'G', true, "~~~abc~~~|", "|~~~abc~~~");
        row("K: next page break", 'K', false, "|a" + pageBreak + "\r\nb", "a" + pageBreak + "|\r\nb");
        row("Shift+K: next page break", 'K', true, "|a" + pageBreak + "b", "a" + pageBreak + "|b");
        row("K: no page break leaves the selection", 'K', false, "a[b]c", "a[b]c");
        row("Shift+V: the clipboard's text, plain", 'V', true, "a [x]b", "a one\r\ntwo|b");
        row("Shift+V with an empty clipboard", 'V', true, "a [x]b", "a |b", true, "", "", "");
        // Keys the editor keeps for itself (copy, paste, the colour boxes)
        // and keys the table does not have.
        for (const char k : {'1', '2', '6', '7', 'C', 'V', 'A', '0'})
            row(qPrintable(QStringLiteral("Ctrl+%1 passes").arg(QLatin1Char(k))), k, false, "a[bc]d", "a[bc]d", false);
        row("Ctrl+Shift+A passes", 'A', true, "a[bc]d", "a[bc]d", false);
        row("Ctrl+= passes", vb::Key_Equals, false, "a[bc]d", "a[bc]d", false);
        row("Ctrl+F6 passes", vb::Key_F1 + 5, false, "a[bc]d", "a[bc]d", false);
    }
    void everyRow()
    {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(QString, before);
        QFETCH(bool, consumed);
        QFETCH(QString, clipboard);
        QGuiApplication::clipboard()->setText(clipboard);
        RichTextBox box;
        setMarkedText(box, before);
        const int original = key;

        Convert_Key(box, key, shift);

        QTEST(markedText(box), "after");
        QCOMPARE(key, consumed ? 0 : original);
        QTEST(state().Entity_Suffix, "suffix");
        QTEST(state().Status_Color_Panel.text(), "status");
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

    void bookmarksForwardWrapAndStepBack()
    {
        RichTextBox box;
        // Bookmarks at 2, 9 and 16.
        box.setText(QStringLiteral("ab~~~cdef~~~ghij~~~klmn"));
        // The caret after the key, or -1 if the key was not consumed or
        // something stayed selected.
        const auto press = [&](bool shift) {
            int key = 'G';
            Convert_Key(box, key, shift);
            return key == 0 && box.SelLength() == 0 ? box.SelStart() : -1;
        };
        box.setSelStart(0);
        for (const int caret : {5, 12, 19, 5})  // wraps to the first
            QCOMPARE(press(false), caret);
        box.setSelStart(2);
        QCOMPARE(press(false), 5);  // one that starts at the caret counts
        box.setSelStart(23);
        for (const int caret : {16, 9, 2, 16})  // wraps to the last
            QCOMPARE(press(true), caret);
        box.setSelStart(19);  // right after the last: goes to the one before
        QCOMPARE(press(true), 9);
        state().Bookmark_Chars = QStringLiteral("#Mark");
        box.setText(QStringLiteral("x #mark y #MARK z"));
        box.setSelStart(17);
        QCOMPARE(press(true), 2);  // letter case does not count backwards
        box.setSelStart(0);
        QCOMPARE(press(false), 0);  // but forwards it does: nothing found
    }
};
TESK_TEST(ConvertKeyTest)

class StandardFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    void removesFormattingAndKeepsCaret_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("nothing selected: the whole text") << 4 << 0 << true;
        QTest::newRow("a selection") << 6 << 9 << true;
        QTest::newRow("disabled box") << 4 << 0 << false;
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
        box.setSelStart(start);
        box.setSelLength(length);
        box.setEnabled(enabled);

        Standard_Format(box);

        QCOMPARE(box.Text(), text);
        QCOMPARE(box.content().colors, colours);
        const auto formatted = [](const QTextCharFormat& cf) {
            return cf.fontWeight() == QFont::Bold && cf.fontItalic() && cf.fontUnderline() && cf.fontStrikeOut()
                && cf.verticalAlignment() != QTextCharFormat::AlignNormal && cf.fontPointSize() == 20.0;
        };
        const auto plain = [](const QTextCharFormat& cf) {
            return cf.fontWeight() != QFont::Bold && !cf.fontItalic() && !cf.fontUnderline() && !cf.fontStrikeOut()
                && cf.verticalAlignment() == QTextCharFormat::AlignNormal && cf.fontPointSize() == 12.0
                && cf.fontFamilies().toStringList() == QStringList{state().Font_Name};
        };
        // Document positions have one character per line break.
        const auto docPos = [&](int p) { return p - int(text.left(p).count(QLatin1String("\r\n"))); };
        const int docFirst = length ? docPos(start) : 0;
        const int docEnd = length ? docPos(start + length) : box.document()->characterCount();
        for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const int at = it.fragment().position();
                const bool inside = at >= docFirst && at < docEnd;
                QVERIFY2(inside ? plain(it.fragment().charFormat()) : formatted(it.fragment().charFormat()),
                         qPrintable(QStringLiteral("at %1").arg(at)));
            }
            if (length == 0) {
                QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
                QCOMPARE(b.blockFormat().textIndent(), 0.0);
                QVERIFY(!b.textList());
                QCOMPARE(b.blockFormat().tabPositions().size(), 8);
            }
        }
        QCOMPARE(box.SelStart(), enabled ? start : 0);
        QCOMPARE(box.SelLength(), enabled ? 0 : length ? length : int(text.size()));

        // One undo brings all the formatting back.
        box.document()->undo();
        for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                QVERIFY(formatted(it.fragment().charFormat()));
        QCOMPARE(box.Text(), text);
    }
};
TESK_TEST(StandardFormatTest)

#include "text_commands_test.moc"
