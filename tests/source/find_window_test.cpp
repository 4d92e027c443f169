// The Search and Replace window driven by its boxes and buttons over the
// source editor, as a user drives it.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/frm_Find.h"

#include <QCheckBox>
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
};
TESK_TEST(FindWindowTest)

#include "find_window_test.moc"
