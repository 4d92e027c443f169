// The editor window driven as a user drives it: both key tables, the colour
// boxes and colour keys, indents, the two-command buttons, the pop-up menus,
// undo, and the window's own layout rules.

#include "tesk_test.h"
#include "source_window_support.h"

#include "core/screen.h"
#include "browser/frm_Browser.h"
#include "source/button_bar.h"
#include "source/tag_bars.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextBlock>
#include <QToolButton>

using namespace tesk::test;

namespace {

const QString kText = QStringLiteral("<p class=\"x\">Hello</p>\r\nSecond line\r\n");

quint32 colorAt(RichTextBox* box, int pos)
{
    const int start = box->SelStart(), length = box->SelLength();
    box->setSelStart(pos);
    box->setSelLength(1);
    const quint32 c = box->SelColor();
    box->setSelStart(start);
    box->setSelLength(length);
    return c;
}

void select(RichTextBox* box, int start, int length)
{
    box->setSelStart(start);
    box->setSelLength(length);
}

} // namespace

class SourceKeysTest : public QObject {
    Q_OBJECT

private:
    TempSite* site_ = nullptr;
    frm_Source* w_ = nullptr;
    RichTextBox* box_ = nullptr;

    void openIndex()
    {
        // A plain-text source loads black, without indents.
        QVERIFY(writeFile(workingPages(*site_) + "index.rtf", kText.toUtf8()));
        ScriptedDialogs d;
        d.onModal(chooseSource("index"));
        w_->Open_Plus_File();
        QVERIFY(d.allUsed());
        QCOMPARE(box_->Text(), kText);
        QVERIFY(box_->hasFocus());
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        site_ = new TempSite;
        w_ = startEditor(*site_);
        box_ = w_->rtf_Source;
        openIndex();
    }
    void cleanup()
    {
        resetProgram();
        delete site_;
    }

    void ctrlZeroColourCodesAndUndoTakesItBack()
    {
        QTest::keyClick(box_, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(colorAt(box_, 1), Palette_Color(9));   // tag
        QCOMPARE(colorAt(box_, 4), Palette_Color(12));  // attribute area
        QCOMPARE(colorAt(box_, 13), Palette_Color(0));  // text
        QVERIFY(state().Source_Changed);
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(colorAt(box_, 1), Palette_Color(0));
        QTest::keyClick(box_, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(colorAt(box_, 1), Palette_Color(9));
        QCOMPARE(box_->Text(), kText);
    }

    void typingUndoAndRedo()
    {
        QVERIFY(!box_->document()->isUndoAvailable());
        QTest::keyClicks(box_, "abc");
        QCOMPARE(box_->Text(), "abc" + kText);
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box_->Text(), kText);
        QTest::keyClick(box_, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box_->Text(), "abc" + kText);
    }

    void colourKeysColourTheSelection_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("palette");
        QTest::addColumn<QString>("name");
        QTest::newRow("Ctrl+1 black") << int(Qt::Key_1) << 0 << "Black";
        QTest::newRow("Ctrl+2 blue") << int(Qt::Key_2) << 9 << "Blue";
        QTest::newRow("Ctrl+3 green") << int(Qt::Key_3) << 2 << "Green";
        QTest::newRow("Ctrl+4 red") << int(Qt::Key_4) << 12 << "Red";
    }
    void colourKeysColourTheSelection()
    {
        QFETCH(int, key);
        QFETCH(int, palette);
        QFETCH(QString, name);
        select(box_, 13, 5);  // Hello
        box_->setSelColor(Palette_Color(5));
        QTest::keyClick(box_, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(colorAt(box_, 13), Palette_Color(palette));
        QCOMPARE(colorAt(box_, 17), Palette_Color(palette));
        QCOMPARE(colorAt(box_, 18), Palette_Color(0));
        QCOMPARE(box_->SelStart(), 13);
        QCOMPARE(box_->SelLength(), 0);
        QCOMPARE(state().Status_Color_Panel.text(), name);
        QCOMPARE(forms::Start()->sb_Status[0]->text(), name);
    }

    void ctrlShiftOneIsAnEntityNotAColour()
    {
        select(box_, 13, 5);
        QTest::keyClick(box_, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(box_->Text().startsWith("<p class=\"x\">&iexcl;</p>"));
    }

    void colourBoxesFollowTheSettingsAndColourOnClick()
    {
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w_->pic_Color[i]->palette().color(QPalette::Window),
                     Palette_QColor(state().Code_Color_Numbers[i]));
            QCOMPARE(w_->pic_Color[i]->toolTip(), state().Code_Color_Names[i]);
        }
        select(box_, 13, 5);
        QTest::mouseClick(w_->pic_Color[2], Qt::LeftButton);
        QCOMPARE(colorAt(box_, 13), Palette_Color(2));
        QCOMPARE(box_->SelStart(), 13);
        QCOMPARE(box_->SelLength(), 0);
        QVERIFY(box_->hasFocus());

        state().Code_Color_Numbers[2] = 10;
        state().Code_Color_Names[2] = "Lime";
        w_->Box_Colors();
        QCOMPARE(w_->pic_Color[2]->palette().color(QPalette::Window), Palette_QColor(10));
        QCOMPARE(w_->pic_Color[2]->toolTip(), QStringLiteral("Lime"));
    }

    void caretColourNamesTheBox_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("shown");
        QTest::newRow("after blue text") << 9 << 0 << "Blue";
        QTest::newRow("colour of no box") << 5 << 0 << "";
        QTest::newRow("with a selection") << 9 << 2 << "";
    }
    void caretColourNamesTheBox()
    {
        QFETCH(int, color);
        QFETCH(int, selection);
        QFETCH(QString, shown);
        select(box_, 13, 5);
        box_->setSelColor(Palette_Color(color));
        select(box_, selection ? 14 : 18, selection);
        w_->cmd_Open->setFocus();
        QVERIFY(state().Status_Color_Panel.text().isEmpty());
        box_->setFocus();
        QCOMPARE(state().Status_Color_Panel.text(), shown);
        QCOMPARE(state().Color_Index, shown.isEmpty() ? -1 : 1);
    }

    void indentKeysAndButton()
    {
        auto indents = [this] { return box_->content().indents; };
        const std::vector<int> none{0, 0, 0};
        box_->setSelStart(3);
        QTest::keyClick(box_, Qt::Key_BracketRight, Qt::ControlModifier);  // nothing selected
        QCOMPARE(indents(), none);
        select(box_, 3, 25);  // into the second line
        QTest::keyClick(box_, Qt::Key_BracketRight, Qt::ControlModifier);
        QCOMPARE(indents(), (std::vector<int>{1080, 1080, 0}));
        QCOMPARE(box_->SelStart(), 3);
        QCOMPARE(box_->SelLength(), 0);
        select(box_, 3, 25);
        QTest::keyClick(box_, Qt::Key_BracketLeft, Qt::ControlModifier);
        QCOMPARE(indents(), none);
        // The button: left click indents, right click removes.
        state().Text_Indent = 720;
        select(box_, 0, 2);
        QTest::mouseClick(w_->cmd_Indent, Qt::LeftButton);
        QCOMPARE(indents(), (std::vector<int>{720, 0, 0}));
        select(box_, 0, 2);
        QTest::mouseClick(w_->cmd_Indent, Qt::RightButton);
        QCOMPARE(indents(), none);
        // Indents go to the source only: the page is the text.
        select(box_, 0, 2);
        QTest::keyClick(box_, Qt::Key_BracketRight, Qt::ControlModifier);
        QTest::keyClick(box_, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(readFile(finalPages(*site_) + "index.html"), kText.toUtf8());
        QCOMPARE(readSource(workingPages(*site_) + "index.rtf").indents.front(), 720);
    }

    void accentThenLetterGivesTheEntity()
    {
        box_->setSelStart(13);
        QTest::keyClick(box_, Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(state().Status_Color_Panel.text(), QStringLiteral("Acute"));
        QTest::keyClicks(box_, "e");
        QVERIFY(box_->Text().startsWith("<p class=\"x\">&eacute;Hello"));
        QVERIFY(state().Entity_Suffix.isEmpty());
        // A digit after the accent is typed as it is and the accent is dropped.
        QTest::keyClick(box_, Qt::Key_Apostrophe, Qt::ControlModifier);
        QTest::keyClicks(box_, "5e");
        QVERIFY(box_->Text().startsWith("<p class=\"x\">&eacute;5eHello"));
    }

    void conversionKeysComeFirst()
    {
        select(box_, 13, 5);
        QTest::keyClick(box_, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(box_->Text().startsWith("<p class=\"x\"><b>Hello</b></p>"));
    }

    void standardFormatKey()
    {
        select(box_, 13, 5);
        box_->setSelBold(true);
        box_->setSelStart(2);
        QTest::keyClick(box_, Qt::Key_Equal, Qt::ControlModifier);
        QTextCursor c(box_->document());
        c.setPosition(15);
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
        QCOMPARE(box_->SelStart(), 2);
        QVERIFY(box_->hasFocus());
    }

    void saveKeyWritesBothFiles()
    {
        QTest::keyClicks(box_, "X");
        QVERIFY(state().Source_Changed);
        QTest::keyClick(box_, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!state().Source_Changed);
        QCOMPARE(readFile(finalPages(*site_) + "index.html"), ("X" + kText).toUtf8());
        QCOMPARE(rtf::crlfText(readSource(workingPages(*site_) + "index.rtf")), "X" + kText);
        // The button does the same.
        QTest::keyClicks(box_, "Y");
        QTest::mouseClick(w_->cmd_Html, Qt::LeftButton);
        QVERIFY(!state().Source_Changed);
        QCOMPARE(readFile(finalPages(*site_) + "index.html"), ("XY" + kText).toUtf8());
    }

    void windowKeysOpenAndStartPages()
    {
        ScriptedDialogs d;
        d.onModal(chooseSource(QString()));
        QTest::keyClick(box_, Qt::Key_O, Qt::ControlModifier);
        d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        QTest::keyClick(w_->cmd_Find, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        d.onModal(nameSource(QString()));
        QTest::keyClick(box_, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(d.allUsed());
        QCOMPARE(d.fileRequests().size(), 1);
        // The new page was not named: the editor is empty again.
        QVERIFY(!box_->isEnabled());
    }

    void altArrowsMoveTheSplit()
    {
        SharedState& s = state();
        const int hor = s.Slider_Hor.value;
        const int ver = s.Slider_Ver.value;
        QTest::keyClick(box_, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(s.Slider_Hor.value, hor - 1);
        QTest::keyClick(box_, Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(s.Slider_Ver.value, ver - 10);
        QCOMPARE(box_->Text(), kText);
        QVERIFY(box_->hasFocus());
    }

    void altHomeGoesToTheFirstButton()
    {
        QTest::keyClick(box_, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w_->tb_Left->cmd_Button[0]);
    }

    void ctrlQTogglesTheBrowser()
    {
        SharedState& s = state();
        QCOMPARE(s.Browser_Window_Pos, 2);
        QTest::keyClick(box_, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(s.Browser_Window_Pos < 1);
        QTest::keyClick(box_, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(s.Browser_Window_Pos, 2);
        QVERIFY(box_->hasFocus());
    }

    void menusPopUpFromKeysAndTheRightButton()
    {
        frm_Start* m = forms::Start();
        struct Case {
            std::function<void()> act;
            QMenu* menu;
        };
        const QPoint inside = box_->viewport()->rect().center();
        const Case cases[] = {
            {[&] { QTest::keyClick(box_, Qt::Key_M, Qt::ControlModifier); }, m->mnu_Source},
            {[&] { QTest::keyClick(box_, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier); }, m->mnu_Source_Keys},
            {[&] { QTest::mouseClick(box_->viewport(), Qt::RightButton, {}, inside); }, m->mnu_Source},
            {[&] { QTest::mouseClick(box_->viewport(), Qt::RightButton, Qt::ControlModifier, inside); },
             m->mnu_Source_Keys},
        };
        for (const Case& c : cases) {
            c.act();
            QTRY_VERIFY(c.menu->isVisible());
            c.menu->hide();
        }
        QCOMPARE(box_->Text(), kText);
    }

    void twoCommandButtons()
    {
        for (QToolButton* b : {w_->cmd_Previous, w_->cmd_Print, w_->cmd_Open, w_->cmd_Indent, w_->cmd_Format})
            QVERIFY2(b->toolTip().contains(" | "), qPrintable(b->objectName()));
        ScriptedDialogs d;
        d.onModal(chooseSource(QString()));
        QTest::mouseClick(w_->cmd_Open, Qt::LeftButton);
        d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        QTest::mouseClick(w_->cmd_Open, Qt::RightButton);
        QVERIFY(d.allUsed());
        QCOMPARE(d.fileRequests().size(), 1);
        // Space on the open button is a left click.
        d.onModal(chooseSource(QString()));
        w_->cmd_Open->setFocus();
        QTest::keyClick(w_->cmd_Open, Qt::Key_Space);
        QVERIFY(d.allUsed());

        QTest::mouseClick(w_->cmd_Format, Qt::LeftButton);
        QCOMPARE(colorAt(box_, 1), Palette_Color(9));
        select(box_, 13, 5);
        box_->setSelBold(true);
        QTest::mouseClick(w_->cmd_Format, Qt::RightButton);
        QTextCursor c(box_->document());
        c.setPosition(15);
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
        QVERIFY(box_->hasFocus());
    }

    void sizeAndArrangementButtons()
    {
        SharedState& s = state();
        QCOMPARE(s.Source_Window_Pos, 2);
        QTest::mouseClick(w_->cmd_Size, Qt::LeftButton);
        QCOMPARE(s.Source_Window_Pos, 1);
        QTest::mouseClick(w_->cmd_Size, Qt::LeftButton);
        QCOMPARE(s.Source_Window_Pos, 2);

        QTest::mouseClick(w_->cmd_Ver, Qt::LeftButton);  // already vertical: nothing
        QVERIFY(!s.Arrange_Horizontal);
        QTest::mouseClick(w_->cmd_Hor, Qt::LeftButton);
        QVERIFY(s.Arrange_Horizontal);
        QTest::mouseClick(w_->cmd_Ver, Qt::LeftButton);
        QVERIFY(!s.Arrange_Horizontal);
    }

    void closeButtonAsksForUnsavedChanges()
    {
        QTest::keyClicks(box_, "Z");
        ScriptedDialogs d;
        d.expectMessage("Save Changes to index.rtf?", dialogs::Answer::Yes);
        QTest::mouseClick(w_->cmd_Close, Qt::LeftButton);
        QVERIFY(d.allUsed());
        QCOMPARE(readFile(finalPages(*site_) + "index.html"), ("Z" + kText).toUtf8());
        QVERIFY(state().Source_Window_Pos < 1);
        QVERIFY(!w_->frameVisible());
    }

    void layoutRules()
    {
        const QRect e = w_->rtf_Source->geometry();
        QCOMPARE(w_->tb_Top->height(), Px_From_Twips_Y(1575));
        QCOMPARE(e.top(), Px_From_Twips_Y(1575 + 60));
        QCOMPARE(e.left(), w_->tb_Left->width() + Px_From_Twips_X(60));
        QCOMPARE(box_->rightMargin(), Twips_From_Px_X(e.width()) - 800);
        QVERIFY(w_->lbl_Source_File->width() <= Px_From_Twips_X(5000) + 1);
        // The window never gets smaller than 2500 twips either way.
        w_->frame()->resize(40, 40);
        QApplication::processEvents();
        QTRY_VERIFY(w_->geometryTwips().width() >= 2500 && w_->geometryTwips().height() >= 2500);
    }

    void activationShowsThePathAndChangesMarkPagination()
    {
        SharedState& s = state();
        QMdiArea* area = forms::Start()->innerArea();
        area->setActiveSubWindow(forms::Browser()->frame());
        QTRY_COMPARE(s.Status_Path_Panel.text(), QString());
        area->setActiveSubWindow(w_->frame());
        QTRY_COMPARE(s.Status_Path_Panel.text(), workingPages(*site_) + "index.rtf");
        QVERIFY(w_->tb_Left->isEnabled());

        s.Print_Source = 1;
        s.Paginated = 1;
        QTest::keyClicks(box_, "a");
        QCOMPARE(s.Paginated, 0);
    }

    void emptyEditorIgnoresTheMenuCommands()
    {
        w_->Clear_Source();
        QVERIFY(!w_->tb_Left->isEnabled());
        QVERIFY(!w_->cmd_Html->isEnabled());
        QVERIFY(!w_->tagBars->tb_Tag_Select->isEnabled());
        forms::Start()->mnu_Source_Color->trigger();
        forms::Start()->mnu_Source_Paste->trigger();
        // No document: nothing to save, so no dialog either.
        w_->Save_Source();
        w_->Save_As();
        w_->Save_New();
        w_->Indent_Text(1);
        QCOMPARE(box_->Text(), QString());
        QVERIFY(!state().Source_Changed);
        // The window's focus goes to the open button while there is no document.
        w_->focusEditor();
        QCOMPARE(QApplication::focusWidget(), w_->cmd_Open);
    }
};
TESK_TEST(SourceKeysTest)

#include "source_window_keys_test.moc"
