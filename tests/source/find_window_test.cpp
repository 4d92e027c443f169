// The Search and Replace window driven by its boxes and buttons over the
// source editor, as a user drives it.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/frm_Find.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

using namespace tesk::test;

class FindWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void flows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("steps");
        // After each click: the editor's selection, or the result shown;
        // then the text and the search history.
        QTest::addColumn<QString>("expected");
        QTest::newRow("Find Next to the end and around (Alt+F)") << "a b\r\nA" << "find a; F; Alt+F; F; Alt+F"
            << "0+1 5+1 [Search Completed] 0+1 | a b¶A | a";
        QTest::newRow("Replace one by one") << "ab ab" << "find ab; replace abab; F; R; R"
            << "0+2 5+2 [Search Completed] | abab abab | ab";
        QTest::newRow("Replace All with Match Case, one undo") << "a A a" << "0+0; chk_Match_Case; find a; replace bb; A; undo"
            << "[Replacement Completed] | a A a | a";
        QTest::newRow("Top to Cursor, caret 0") << "abc" << "0+0; opt_Start_2; find a; F"
            << "[String not found] | abc | a";
        QTest::newRow("Go to line 1, then past the end") << "ab\r\ncd" << "line 1; G; line 9; G"
            << "0+4 [Line Number Past End] | ab¶cd | ";
        QTest::newRow("[b¶a b]¶a: the selection is the scope") << "a b\r\na b\r\na" << "2+5; find a; F; F"
            << "5+1 [Search Completed] | a b¶a b¶a | a";
        // Going to a phrase box begins the search again, for Replace All too.
        QTest::newRow("Replace All after Find Next and Replace With") << "a a a" << "find a; F; F; replace b; A"
            << "0+1 2+1 [Replacement Completed] | b b b | a";
        QTest::newRow("Replace All after Find Next and Find What") << "a a a" << "replace b; find a; F; F; find a; A"
            << "0+1 2+1 [Replacement Completed] | b b b | a";
        QTest::newRow("Replace All right after Find Next starts at the match") << "a a a" << "replace b; find a; F; F; A"
            << "0+1 2+1 [Replacement Completed] | a b b | a";
        QTest::newRow("Replace after Replace With still replaces the match") << "a a" << "find a; F; replace b; R"
            << "0+1 2+1 | b a | a";
        QTest::newRow("history: a phrase used twice is listed once") << "x" << "find a; F; find b; F; find a; F"
            << "[String not found] [String not found] [String not found] | x | b,a";
    }
    void flows()
    {
        QFETCH(QString, text);
        QFETCH(QString, steps);
        SourceWindow f;
        f.open("index", text, true);
        frm_Find* w = nullptr;
        QStringList out;
        for (const QString& step : steps.split("; ")) {
            const QString arg = step.section(' ', 1);
            const bool selection = step[0].isDigit();
            if (selection) {
                f.box->setSelStart(step.section('+', 0, 0).toInt());
                f.box->setSelLength(step.section('+', 1).toInt());
                w = nullptr;  // the window reads the selection when it becomes active
            }
            if (!w) {
                f.box->setFocus();
                QTest::keyClick(f.box, Qt::Key_F, Qt::ControlModifier);
                w = forms::Find();
                QVERIFY(QTest::qWaitForWindowActive(w));
                QTRY_COMPARE(QApplication::focusWidget(), w->cbo_Find);
            }
            const auto shown = [&] {
                out << (w->lbl_Results->isEnabled() ? '[' + w->lbl_Results->text() + ']'
                                                    : QStringLiteral("%1+%2").arg(f.box->SelStart()).arg(f.box->SelLength()));
            };
            const auto click = [&](QWidget* control) {
                QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, 4));
                if (qobject_cast<QPushButton*>(control))
                    shown();
            };
            QWidget* input = step.startsWith("find") ? w->cbo_Find : step.startsWith("replace") ? w->cbo_Replace
                           : step.startsWith("line") ? static_cast<QWidget*>(w->txt_Find_Line) : nullptr;
            const std::map<QString, QWidget*> buttons{{"F", w->cmd_Find}, {"R", w->cmd_Replace}, {"A", w->cmd_Replace_All},
                                                      {"G", w->cmd_Find_Line}};
            if (input) {
                input->setFocus(Qt::MouseFocusReason);
                QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(input, arg);
            } else if (buttons.count(step)) {
                click(buttons.at(step));
            } else if (step.startsWith("Alt+")) {  // the window's access keys, not the main menu's
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(step)[0].key(), Qt::AltModifier);
                QTRY_VERIFY(!w->cmd_Find->isDown());  // the access key clicks the button as a mouse would
                shown();
            } else if (step == "undo") {
                f.box->undo();
            } else if (!selection) {
                click(w->findChild<QWidget*>(step));
            }
            if (step == "G")
                w = nullptr;  // the editor may have the focus now
        }
        QStringList history;
        for (int i = 0; i < forms::Find()->cbo_Find->count(); ++i)
            history << forms::Find()->cbo_Find->itemText(i);
        QTEST(out.join(' ') + " | " + f.box->Text().replace("\r\n", "¶") + " | " + history.join(','), "expected");
    }

    // Replace one at a time with line breaks pasted into Replace With (¶ is a
    // pasted line feed, ^P the escape): the search goes on after all that was
    // inserted and never replaces the new text again.
    void replaceLineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");  // the text, ¶ for CR LF
        QTest::addColumn<int>("replaced");
        QTest::newRow("break before the phrase") << "a b a" << "a" << "¶a" << "¶a b ¶a" << 2;
        QTest::newRow("phrase on both sides") << "ab c" << "b" << "b¶b" << "ab¶b c" << 1;
        QTest::newRow("breaks around the phrase") << "x x" << "x" << "¶x¶" << "¶x¶ ¶x¶" << 2;
        QTest::newRow("two breaks, then the phrase") << "ab c" << "a" << "¶¶a" << "¶¶ab c" << 1;
        QTest::newRow("the escape, counted right already") << "a a" << "a" << "^Pa" << "¶a ¶a" << 2;
    }
    void replaceLineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(QString, phrase);
        QFETCH(QString, replacement);
        SourceWindow f;
        f.open("index", text, true);
        frm_Find* w = openFind(f);
        QCOMPARE(QApplication::focusWidget(), w->cbo_Find);
        QTest::keyClicks(w->cbo_Find, phrase);
        QApplication::clipboard()->setText(QString(replacement).replace("¶", "\n"));
        w->cbo_Replace->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w->cbo_Replace, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->cbo_Replace->currentText().count('\n'), replacement.count("¶"));
        QTest::mouseClick(w->cmd_Find, Qt::LeftButton, {}, QPoint(4, 4));
        int replaced = 0;
        for (; w->cmd_Replace->isEnabled() && replaced < 10; ++replaced)
            QTest::mouseClick(w->cmd_Replace, Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(w->lbl_Results->text(), QStringLiteral("Search Completed"));
        QTEST(f.box->Text().replace("\r\n", "¶"), "expected");
        QTEST(replaced, "replaced");
    }

    // Alt+N puts the focus in the line number box, wherever it was, and what
    // is typed replaces the number there.
    void lineNumberKey_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("after Go reported the end") << "go";
        QTest::newRow("Tab to Go") << "tab";
        QTest::newRow("from Find Next") << "find";
        QTest::newRow("from Find What") << "phrase";
    }
    void lineNumberKey()
    {
        QFETCH(QString, before);
        SourceWindow f;
        f.open("index", "a\r\nb\r\nc", true);
        frm_Find* w = openFind(f);
        QCOMPARE(QApplication::focusWidget(), w->cbo_Find);
        w->txt_Find_Line->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(w->txt_Find_Line, "99");
        if (before == "go") {
            QTest::mouseClick(w->cmd_Find_Line, Qt::LeftButton, {}, QPoint(4, 4));
            QCOMPARE(w->lbl_Results->text(), QStringLiteral("Line Number Past End"));
        } else if (before == "tab") {
            QTest::keyClick(w->txt_Find_Line, Qt::Key_Tab);
        } else if (before == "find") {
            w->cmd_Find->setFocus(Qt::TabFocusReason);
        } else {
            w->cbo_Find->setFocus(Qt::MouseFocusReason);
        }
        QVERIFY(QApplication::focusWidget() != w->txt_Find_Line);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w->txt_Find_Line);
        QTest::keyClicks(w->txt_Find_Line, "2");
        QCOMPARE(w->txt_Find_Line->text(), QStringLiteral("2"));
        QTest::keyClick(w->txt_Find_Line, Qt::Key_Return);
        QTest::keyClick(w->cmd_Find_Line, Qt::Key_Return);
        QCOMPARE(f.box->Text(), QStringLiteral("a\r\nb\r\nc"));  // Enter went to the line, not into the text
        QCOMPARE(std::make_pair(f.box->SelStart(), f.box->SelLength()), std::make_pair(3, 3));
    }

    // Ctrl+F again selects the phrase in Find What: what is typed replaces it.
    void secondCtrlF_data()
    {
        QTest::addColumn<QString>("away");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("from Replace With, Esc") << "replace";
        QTest::newRow("the editor clicked") << "editor";
        QTest::newRow("closed with X") << "close";
    }
    void secondCtrlF()
    {
        QFETCH(QString, away);
        SourceWindow f;
        f.open("index", "old new", true);
        frm_Find* w = openFind(f);
        QCOMPARE(QApplication::focusWidget(), w->cbo_Find);
        QTest::keyClicks(w->cbo_Find, "old");
        if (away == "replace") {
            w->cbo_Replace->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(w->cbo_Replace, "x");
        }
        if (away == "close") {
            QTest::mouseClick(w->cmd_Cancel, Qt::LeftButton, {}, QPoint(4, 4));
        } else if (away == "editor") {
            f.box->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f.box->window()));
            f.box->setFocus(Qt::MouseFocusReason);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QTRY_VERIFY(!w->isActiveWindow());
        w = openFind(f);
        QCOMPARE(QApplication::focusWidget(), w->cbo_Find);
        QTest::keyClicks(w->cbo_Find, "new");
        QCOMPARE(w->cbo_Find->currentText(), QStringLiteral("new"));
        QTest::mouseClick(w->cmd_Find, Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(std::make_pair(f.box->SelStart(), f.box->SelLength()), std::make_pair(4, 3));
    }

private:
    // Ctrl+F in the editor, as the user opens the window; the window once
    // Find What has the focus (the caller checks that it has).
    static frm_Find* openFind(SourceWindow& f)
    {
        f.box->setFocus();
        QTest::keyClick(f.box, Qt::Key_F, Qt::ControlModifier);
        frm_Find* w = forms::Find();
        QTest::qWaitFor([w] { return w->isActiveWindow() && QApplication::focusWidget() == w->cbo_Find; });
        return w;
    }
};
TESK_TEST(FindWindowTest)

#include "find_window_test.moc"
