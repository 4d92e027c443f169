// The editor's button bar: the button file's rules and what a click inserts.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/button_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QToolButton>

using namespace tesk::test;

namespace {

// A button bar beside an editor, shown and active so focus can be checked,
// reading its buttons from a site's References/Button.but.
struct Editor_With_Buttons {
    TempSite site;
    QWidget window;
    ButtonBar* bar = new ButtonBar(&window);
    RichTextBox* rtf = new RichTextBox(&window);

    Editor_With_Buttons()
    {
        site.apply();
        auto* row = new QHBoxLayout(&window);
        row->addWidget(bar);
        row->addWidget(rtf, 1);
        bar->setEditor(rtf);
        window.resize(700, 500);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    // Writes the button file (nothing: none) and reads the buttons again.
    bool buttons(const QByteArray& file = {})
    {
        if (!file.isNull() && !writeFile(site.programFolder() + "References/Button.but", file))
            return false;
        bar->Retrieve_Buttons();
        return true;
    }
    QString click(std::initializer_list<int> buttons)
    {
        for (int k : buttons)
            QTest::mouseClick(bar->cmd_Button[k], Qt::LeftButton);
        return rtf->Text();
    }
};

} // namespace

class ButtonBarTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void builtInSetWithoutAFile()
    {
        Editor_With_Buttons e;
        QVERIFY(e.buttons());
        const QStringList captions{"Tesk", "<div>", "</div>", "Style", "Table", "Padding",
                                   "<tr>", "<th>", "</th>", "<td>", "</td>", "/Table"};
        for (int k = 0; k < 30; ++k) {
            QCOMPARE(e.bar->buttonShown(k), k < 12);
            QCOMPARE(e.bar->cmd_Button[k]->text(), captions.value(k));
        }
        // The tooltip is the insertion text exactly as stored.
        QCOMPARE(e.bar->cmd_Button[1]->toolTip(), QStringLiteral("<div>^P"));
    }

    void clickReplacesTheSelectionAndFocusesTheEditor()
    {
        Editor_With_Buttons e;
        QVERIFY(e.ready());
        e.rtf->setText("a XX b");
        e.rtf->setSelStart(2);
        e.rtf->setSelLength(2);
        e.bar->cmd_Button[1]->setFocus();
        QCOMPARE(e.click({3}), QStringLiteral("a  style=\" border: 2px solid red; \" b"));
        QCOMPARE(e.rtf->SelStart(), 2 + 33);
        QCOMPARE(e.rtf->SelLength(), 0);
        QCOMPARE(QApplication::focusWidget(), e.rtf);
        // A line break is inserted as CR LF and the caret goes past it.
        QCOMPARE(e.click({11}), QStringLiteral("a  style=\" border: 2px solid red; \"</tr></table>\r\n b"));
        QCOMPARE(e.rtf->SelStart(), 2 + 33 + 15);
    }

    void threePairsWithABlankSecondCaption()
    {
        Editor_With_Buttons e;
        QVERIFY(e.ready());
        QVERIFY(e.buttons("Mine\r\n<em>\r\n \r\n<lost>\r\nTabbed\r\n^T<li>^P\r\n"));
        QCOMPARE(e.bar->cmd_Button[0]->text(), QStringLiteral("Mine"));
        QVERIFY(!e.bar->buttonShown(1));
        QCOMPARE(e.bar->button(1).text, QString());
        QCOMPARE(e.bar->cmd_Button[2]->text(), QStringLiteral("Tabbed"));
        // The buttons the file does not reach keep the built-in set.
        QCOMPARE(e.bar->cmd_Button[3]->text(), QStringLiteral("Style"));
        QCOMPARE(e.bar->cmd_Button[11]->text(), QStringLiteral("/Table"));
        QVERIFY(!e.bar->buttonShown(12));
        QCOMPARE(e.click({2, 0, 9}), QStringLiteral("\t<li>\r\n<em><td>"));
        // The escapes are case-sensitive; the tooltip keeps them as stored.
        QVERIFY(e.buttons("E\r\na^pb^Pc^Td^t\r\n"));
        QCOMPARE(e.bar->cmd_Button[0]->toolTip(), QStringLiteral("a^pb^Pc^Td^t"));
        e.rtf->setText(QString());
        QCOMPARE(e.click({0}), QStringLiteral("a^pb\r\nc\td^t"));
    }

    void moreThanThirtyPairsAndAnUnpairedCaption()
    {
        Editor_With_Buttons e;
        QByteArray file;
        for (int k = 0; k < 31; ++k)
            file += "B" + QByteArray::number(k) + "\r\nt" + QByteArray::number(k) + "\r\n";
        QVERIFY(e.buttons(file));
        for (int k = 0; k < 30; ++k)
            QCOMPARE(e.bar->button(k).caption, QStringLiteral("B%1").arg(k));
        QVERIFY(e.bar->buttonShown(29));
        // Two pairs and a caption with no text line: the caption is ignored.
        QVERIFY(e.buttons("X\r\nx\r\nY\r\ny\r\nZ\r\n"));
        QCOMPARE(e.bar->button(1).caption, QStringLiteral("Y"));
        QCOMPARE(e.bar->button(2).caption, QStringLiteral("</div>"));
        QCOMPARE(e.bar->button(2).text, QStringLiteral("</div>^P"));
        QVERIFY(!e.bar->buttonShown(12));
    }

    void tabSpaceAndAltHomeMoveBetweenBarAndEditor()
    {
        Editor_With_Buttons e;
        QVERIFY(e.ready());
        e.rtf->setFocus();
        QVERIFY(e.bar->Focus_First_Button());
        QCOMPARE(QApplication::focusWidget(), e.bar->cmd_Button[0]);
        QTest::keyClick(e.bar->cmd_Button[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e.rtf);
        QCOMPARE(e.rtf->Text(), QString());  // the Tab went nowhere else
        // Space on a focused button clicks it.
        e.bar->cmd_Button[4]->setFocus();
        QTest::keyClick(e.bar->cmd_Button[4], Qt::Key_Space);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<table border=\"1\"><tr>\r\n"));
        // A hidden first button cannot take the focus.
        tag_insertion::Button_Set set = tag_insertion::Built_In_Buttons();
        set[0] = {};
        e.bar->setButtons(set);
        e.rtf->setFocus();
        QVERIFY(!e.bar->Focus_First_Button());
        QCOMPARE(QApplication::focusWidget(), e.rtf);
    }
};
TESK_TEST(ButtonBarTest)

#include "button_bar_test.moc"
