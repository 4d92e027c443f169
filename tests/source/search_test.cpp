// Search and replace without the window: the clicks of Find Next (F),
// Replace (R), Replace All (A), Go (G<number>) and a change of the options
// (O<options>) played on a text, with the text's own find standing in for
// the editor's.

#include "tesk_test.h"

#include "platform/text_positions.h"
#include "source/search.h"

using search::Result;

namespace {

// The window's side of the bookkeeping: a selection in a string, the result
// line's mode and the Replace button.
struct Clicks {
    QString text, phrase, replacement;
    int selStart = 0, selLength = 0, portion = 0, options = 0;
    bool showing = false, replaceOn = false;
    SearchState s;

    void startFind()
    {
        showing = replaceOn = false;
        search::Start_Find(s, int(text.size()), selStart, portion);
        selLength = 0;
    }
    int find(int from)
    {
        s.Search_Options = options;
        return textpos::find(text, phrase, from, search::Find_End(s, int(phrase.size())), options);
    }
    QString outcome(Result r, int found)
    {
        replaceOn = r == Result::Found;
        if (replaceOn) {
            selStart = found;
            selLength = int(phrase.size());
            return QStringLiteral("@%1").arg(found);
        }
        showing = true;
        selLength = 0;
        return '[' + search::Result_Text(r) + ']';
    }
    QString click(const QString& step)
    {
        if (step == "F" || step == "A") {
            if (search::Must_Restart(s, showing, options))
                startFind();
        }
        if (step == "F") {
            const int f = find(s.Search_Position);
            return outcome(search::Found_Next(s, f), f);
        }
        if (step == "R") {
            text.replace(selStart, selLength, replacement);
            const int from = search::Replaced(s, selStart, selLength, int(replacement.size()), int(text.size()));
            selStart += int(replacement.size());
            const int f = find(from);
            return outcome(search::Found_After_Replace(s, f), f);
        }
        if (step == "A") {
            const int c = selStart;
            s.Search_Options = options;
            const auto plan = search::Replace_All(s, text, phrase, int(replacement.size()), options,
                                                  replaceOn ? s.Found_Position : s.Search_Position);
            text = textpos::replaced(text, plan.matches, int(phrase.size()), replacement);
            if (!plan.matches.empty())
                selStart = std::min(c, int(text.size()));
            outcome(plan.result, -1);
            return '[' + search::Result_Text(plan.result) + ']';
        }
        if (step.startsWith('O')) {
            options = step.mid(1).toInt();
            showing = false;
            return QString();
        }
        const search::Line_Target t = search::Find_Line(s, text, step.mid(1));
        if (t.result != Result::Found)
            return t.result == Result::None ? QStringLiteral("-") : '[' + search::Result_Text(t.result) + ']';
        selStart = t.start;
        selLength = t.length;
        return QStringLiteral("@%1").arg(t.start);
    }
};

} // namespace

class SearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selection");  // "start" or "start+length"
        QTest::addColumn<int>("portion");
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("phrases");  // "find" or "find=>replacement", as typed
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");  // outcomes | text | selection
        const QString one = "ab\r\nab\r\nab";
        // Find Next. (A plain pass round the text, Match Case, Top to Cursor
        // from the start, a selection as the scope, a replacement holding the
        // phrase and line 1: the Search window's rows.)
        QTest::newRow("no match") << "abc" << "0" << 0 << 0 << "x" << "F" << "[String not found] | abc | 0+0";
        QTest::newRow("empty phrase: nothing found, nothing replaced") << "abc" << "1" << 0 << 0 << "=>x" << "F A"
            << "[String not found] [String not found] | abc | 1+0";
        QTest::newRow("[a b] within a line is no scope") << "a b a" << "0+3" << 0 << 0 << "a" << "F F F"
            << "@0 @4 [Search Completed] | a b a | 4+0";
        QTest::newRow("[ab¶a]b: a match across the selection's end is out") << "ab\r\nab" << "0+5" << 0 << 0
            << "ab=>X" << "F F A" << "@0 [Search Completed] [Replacement Completed] | X¶ab | 0+0";
        QTest::newRow("a|bab Top to Cursor: a match across the caret is in") << "abab" << "1" << 2 << 0 << "ab"
            << "F F" << "@0 [Search Completed] | abab | 0+0";
        QTest::newRow("a|a a Cursor to End") << "a a a" << "1" << 1 << 0 << "a" << "F F F"
            << "@2 @4 [Search Completed] | a a a | 4+0";
        QTest::newRow("^P is a line break, ^T a tab") << "a\r\nb\tc" << "0" << 0 << 0 << "a^Pb^Tc" << "F" << "@0 | a¶b\tc | 0+6";
        QTest::newRow("^p is searched as typed") << "a\r\nb a^pb" << "0" << 0 << 0 << "a^pb" << "F" << "@5 | a¶b a^pb | 5+4";
        QTest::newRow("Whole Word: cafés is no café") << "cafés café" << "0" << 0 << 2 << "café" << "F" << "@6 | cafés café | 6+4";
        QTest::newRow("ignore case: CAFÉ") << "CAFÉ" << "0" << 0 << 0 << "café" << "F" << "@0 | CAFÉ | 0+4";
        QTest::newRow("option changed mid-pass: from the top") << "a A a" << "0" << 0 << 0 << "a" << "F F O4 F"
            << "@0 @2  @0 | a A a | 0+1";
        // Replace one by one.
        QTest::newRow("abab, ab => '': none skipped") << "abab" << "0" << 0 << 0 << "ab=>" << "F R R"
            << "@0 @0 [Search Completed] |  | 0+0";
        QTest::newRow("[ab¶ab]¶ab, ab => abc: the scope end grows") << one << "0+6" << 0 << 0 << "ab=>abc"
            << "F R R" << "@0 @5 [Search Completed] | abc¶abc¶ab | 8+0";
        QTest::newRow("[ab¶ab]¶ab, ab => '': the scope end shrinks") << one << "0+6" << 0 << 0 << "ab=>" << "F R R"
            << "@0 @2 [Search Completed] | ¶¶ab | 2+0";
        // Replace All.
        QTest::newRow("a => aa: inserted text not searched again") << "a a a" << "0" << 0 << 0 << "a=>aa" << "A"
            << "[Replacement Completed] | aa aa aa | 0+0";
        QTest::newRow("after Search Completed: from the top") << "a a" << "0" << 0 << 0 << "a=>b" << "F F F A"
            << "@0 @2 [Search Completed] [Replacement Completed] | b b | 2+0";
        QTest::newRow("the selected match is replaced too") << "a a a" << "0" << 0 << 0 << "a=>b" << "F F A"
            << "@0 @2 [Replacement Completed] | a b b | 2+0";
        QTest::newRow("caret past the shortened text") << "aaaa" << "4" << 0 << 0 << "aa=>" << "A"
            << "[Replacement Completed] |  | 0+0";
        QTest::newRow("[ab¶ab]¶ab, Replace All in the selection") << one << "0+6" << 0 << 0 << "ab=>x" << "A"
            << "[Replacement Completed] | x¶x¶ab | 0+0";
        // Go to line.
        QTest::newRow("an empty line: its break") << "ab\r\n\r\ncd" << "0" << 0 << 0 << "" << "G02" << "@4 | ab¶¶cd | 4+2";
        QTest::newRow("the last line, no break") << "ab\r\n\r\ncd" << "0" << 0 << 0 << "" << "G3" << "@6 | ab¶¶cd | 6+0";
        QTest::newRow("20 digits: past the end, not wrapped") << "ab\r\ncd" << "1" << 0 << 0 << ""
            << "G18446744073709551617" << "[Line Number Past End] | ab¶cd | 1+0";
        QTest::newRow("0: nothing") << "ab" << "1" << 0 << 0 << "" << "G000" << "- | ab | 1+0";
    }
    void clicks()
    {
        QFETCH(QString, text);
        QFETCH(QString, selection);
        QFETCH(QString, phrases);
        QFETCH(QString, steps);
        Clicks c;
        c.text = text;
        QFETCH(int, portion);
        QFETCH(int, options);
        c.portion = portion;
        c.options = options;
        c.phrase = search::Phrase(phrases.section("=>", 0, 0));
        c.replacement = search::Phrase(phrases.section("=>", 1));
        c.selStart = selection.section('+', 0, 0).toInt();
        c.selLength = selection.section('+', 1).toInt();
        search::Check_Selection(c.s, int(text.size()), c.selStart, text.mid(c.selStart, c.selLength));
        c.startFind();
        QStringList out;
        for (const QString& step : steps.split(' '))
            out << c.click(step);
        const QString shown = QString(c.text).replace("\r\n", "¶");
        QTEST(QStringLiteral("%1 | %2 | %3+%4").arg(out.join(' '), shown).arg(c.selStart).arg(c.selLength),
              "expected");
    }
};
TESK_TEST(SearchTest)

#include "search_test.moc"
