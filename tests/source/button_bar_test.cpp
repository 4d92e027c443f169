// The editor's button bar: the button file's rules and what a click inserts.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/button_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QToolButton>

#include <memory>

using namespace tesk::test;

namespace {

// A button bar beside an editor, shown and active so focus can be checked.
struct Editor_With_Buttons {
    QWidget window;
    ButtonBar* bar;
    RichTextBox* rtf;

    Editor_With_Buttons()
    {
        auto* row = new QHBoxLayout(&window);
        bar = new ButtonBar(&window);
        rtf = new RichTextBox(&window);
        row->addWidget(bar);
        row->addWidget(rtf, 1);
        bar->setEditor(rtf);
        window.resize(700, 500);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
};

} // namespace

class ButtonBarTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void builtInSetWithoutAFile()
    {
        TempSite site;
        site.apply();
        Editor_With_Buttons e;
        e.bar->Retrieve_Buttons();
        const QStringList captions{"Tesk", "<div>", "</div>", "Style", "Table", "Padding",
                                   "<tr>", "<th>", "</th>", "<td>", "</td>", "/Table"};
        for (int k = 0; k < 30; ++k) {
            QCOMPARE(e.bar->buttonShown(k), k < 12);
            QCOMPARE(e.bar->cmd_Button[k]->text(), k < 12 ? captions[k] : QString());
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
        QTest::mouseClick(e.bar->cmd_Button[3], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("a  style=\" border: 2px solid red; \" b"));
        QCOMPARE(e.rtf->SelStart(), 2 + 33);
        QCOMPARE(e.rtf->SelLength(), 0);
        QCOMPARE(QApplication::focusWidget(), e.rtf);

        // A line break is inserted as CR LF and the caret goes past it.
        QTest::mouseClick(e.bar->cmd_Button[11], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("a  style=\" border: 2px solid red; \"</tr></table>\r\n b"));
        QCOMPARE(e.rtf->SelStart(), 2 + 33 + 15);
    }

    void threePairsWithABlankSecondCaption()
    {
        TempSite site;
        site.apply();
        QVERIFY(writeFile(site.programFolder() + "References/Button.but",
                          "Mine\r\n<em>\r\n \r\n<lost>\r\nTabbed\r\n^T<li>^P\r\n"));
        Editor_With_Buttons e;
        QVERIFY(e.ready());
        e.bar->Retrieve_Buttons();
        QCOMPARE(e.bar->cmd_Button[0]->text(), QStringLiteral("Mine"));
        QVERIFY(!e.bar->buttonShown(1));
        QCOMPARE(e.bar->button(1).text, QString());
        QCOMPARE(e.bar->cmd_Button[2]->text(), QStringLiteral("Tabbed"));
        QCOMPARE(e.bar->cmd_Button[3]->text(), QStringLiteral("Style"));
        QCOMPARE(e.bar->cmd_Button[11]->text(), QStringLiteral("/Table"));
        QVERIFY(!e.bar->buttonShown(12));

        QTest::mouseClick(e.bar->cmd_Button[2], Qt::LeftButton);
        QTest::mouseClick(e.bar->cmd_Button[0], Qt::LeftButton);
        QTest::mouseClick(e.bar->cmd_Button[9], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("\t<li>\r\n<em><td>"));

        // The escapes are case-sensitive; the tooltip keeps them as stored.
        QVERIFY(writeFile(site.programFolder() + "References/Button.but", "E\r\na^pb^Pc^Td^t\r\n"));
        e.bar->Retrieve_Buttons();
        QCOMPARE(e.bar->cmd_Button[0]->toolTip(), QStringLiteral("a^pb^Pc^Td^t"));
        e.rtf->setText(QString());
        QTest::mouseClick(e.bar->cmd_Button[0], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("a^pb\r\nc\td^t"));
    }

    void moreThanThirtyPairsAndAnUnpairedCaption()
    {
        TempSite site;
        site.apply();
        QByteArray file;
        for (int k = 0; k < 31; ++k)
            file += "B" + QByteArray::number(k) + "\r\nt" + QByteArray::number(k) + "\r\n";
        QVERIFY(writeFile(site.programFolder() + "References/Button.but", file));
        Editor_With_Buttons e;
        e.bar->Retrieve_Buttons();
        for (int k = 0; k < 30; ++k) {
            QVERIFY(e.bar->buttonShown(k));
            QCOMPARE(e.bar->button(k).caption, QStringLiteral("B%1").arg(k));
        }

        // Two pairs and a caption with no text line: the caption is ignored.
        QVERIFY(writeFile(site.programFolder() + "References/Button.but", "X\r\nx\r\nY\r\ny\r\nZ\r\n"));
        e.bar->Retrieve_Buttons();
        QCOMPARE(e.bar->button(1).caption, QStringLiteral("Y"));
        QCOMPARE(e.bar->button(2).caption, QStringLiteral("</div>"));
        QCOMPARE(e.bar->button(2).text, QStringLiteral("</div>^P"));
        QVERIFY(!e.bar->buttonShown(12));
    }

    void tabAndAltHomeMoveBetweenBarAndEditor()
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
