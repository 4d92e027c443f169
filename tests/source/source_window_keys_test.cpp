// The editor window driven as a user drives it: both key tables, the colour
// boxes and colour keys, indents, the two-command buttons, the pop-up menus,
// undo, and the window's own layout rules.

#include "tesk_test.h"
#include "source_window_support.h"

#include "browser/frm_Browser.h"
#include "platform/screen.h"
#include "source/button_bar.h"
#include "source/tag_bars.h"

#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>

using namespace tesk::test;

namespace {

const QString kText = QStringLiteral("<p class=\"x\">Hello</p>\r\nSecond line\r\n");

void select(RichTextBox* box, int start, int length)
{
    box->setSelStart(start);
    box->setSelLength(length);
}

// The palette numbers of the characters at positions, the selection kept.
QList<int> colorsAt(RichTextBox* box, const QList<int>& positions)
{
    const int start = box->SelStart(), length = box->SelLength();
    QList<int> out;
    for (int pos : positions) {
        select(box, pos, 1);
        for (int n = 0; n < 16; ++n)
            if (Palette_Color(n) == box->SelColor())
                out << n;
    }
    select(box, start, length);
    return out;
}

} // namespace

class SourceKeysTest : public QObject {
    Q_OBJECT

private:
    TempSite* site_ = nullptr;
    frm_Source* w_ = nullptr;
    RichTextBox* box_ = nullptr;

    void ctrl(Qt::Key key, Qt::KeyboardModifiers more = {}) { QTest::keyClick(box_, key, Qt::ControlModifier | more); }
    QByteArray page() const { return readFile(finalPages(*site_) + "index.html"); }

private Q_SLOTS:
    void init()
    {
        // A plain-text source: it loads black, without indents.
        resetProgram();
        site_ = new TempSite;
        w_ = startEditor(*site_);
        box_ = w_->rtf_Source;
        QVERIFY(writeFile(workingPages(*site_) + "index.rtf", kText.toUtf8()));
        ScriptedDialogs d;
        d.onModal(answer("index"));
        w_->Open_Plus_File();
        QCOMPARE(box_->Text(), kText);
        QVERIFY(box_->hasFocus());
    }
    void cleanup()
    {
        resetProgram();
        delete site_;
    }

    void colourCodingUndoAndRedo()
    {
        QVERIFY(!box_->document()->isUndoAvailable());
        ctrl(Qt::Key_0);
        QCOMPARE(colorsAt(box_, {1, 4, 13}), (QList<int>{9, 12, 0}));  // tag, attribute area, text
        QVERIFY(state().Source_Changed);
        ctrl(Qt::Key_Z);
        QCOMPARE(colorsAt(box_, {1}), QList<int>{0});
        QTest::mouseClick(w_->cmd_Format, Qt::LeftButton);  // colour codes too
        QCOMPARE(colorsAt(box_, {1}), QList<int>{9});
        box_->setSelStart(0);
        QTest::keyClicks(box_, "abc");
        ctrl(Qt::Key_Z);
        QCOMPARE(box_->Text(), kText);
        ctrl(Qt::Key_Y);
        QCOMPARE(box_->Text(), "abc" + kText);
    }

    void colourKeysAndBoxesColourTheSelection_data()
    {
        QTest::addColumn<int>("key");  // 0: a click on the third colour box
        QTest::addColumn<int>("palette");
        QTest::addColumn<QString>("name");
        QTest::newRow("Ctrl+1 black") << int(Qt::Key_1) << 0 << "Black";
        QTest::newRow("Ctrl+2 blue") << int(Qt::Key_2) << 9 << "Blue";
        QTest::newRow("Ctrl+3 green") << int(Qt::Key_3) << 2 << "Green";
        QTest::newRow("Ctrl+4 red") << int(Qt::Key_4) << 12 << "Red";
        QTest::newRow("third colour box") << 0 << 2 << "Green";
    }
    void colourKeysAndBoxesColourTheSelection()
    {
        QFETCH(int, key);
        QFETCH(int, palette);
        QFETCH(QString, name);
        select(box_, 13, 5);  // Hello
        box_->setSelColor(Palette_Color(5));
        if (key)
            ctrl(Qt::Key(key));
        else
            QTest::mouseClick(w_->pic_Color[2], Qt::LeftButton);
        QCOMPARE(colorsAt(box_, {13, 17, 18}), (QList<int>{palette, palette, 0}));
        QCOMPARE(box_->SelStart(), 13);
        QCOMPARE(box_->SelLength(), 0);
        QCOMPARE(forms::Start()->sb_Status[0]->text(), name);
        QVERIFY(box_->hasFocus());
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

    void colourBoxesFollowTheSettings()
    {
        state().Code_Color_Numbers[2] = 10;
        state().Code_Color_Names[2] = "Lime";
        w_->Box_Colors();
        QCOMPARE(w_->pic_Color[2]->palette().color(QPalette::Window), Palette_QColor(10));
        QCOMPARE(w_->pic_Color[2]->toolTip(), QStringLiteral("Lime"));
    }

    void indentKeysAndButton()
    {
        auto indents = [this] { return box_->content().indents; };
        const std::vector<int> none{0, 0, 0};
        box_->setSelStart(3);
        ctrl(Qt::Key_BracketRight);  // nothing selected
        QCOMPARE(indents(), none);
        select(box_, 3, 25);  // into the second line
        ctrl(Qt::Key_BracketRight);
        QCOMPARE(indents(), (std::vector<int>{1080, 1080, 0}));
        QCOMPARE(box_->SelStart(), 3);
        QCOMPARE(box_->SelLength(), 0);
        select(box_, 3, 25);
        ctrl(Qt::Key_BracketLeft);
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
        ctrl(Qt::Key_BracketRight);
        ctrl(Qt::Key_S);
        QCOMPARE(page(), kText.toUtf8());
        const rtf::Content source = readSource(workingPages(*site_) + "index.rtf");
        QCOMPARE(rtf::crlfText(source), kText);
        QCOMPARE(source.indents.front(), 720);
    }

    void keysThatWriteText_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("length");  // of the selection from "Hello"
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("starts");
        QTest::newRow("Ctrl+Shift+1 is an entity, not a colour")
            << int(Qt::Key_Exclam | Qt::ShiftModifier) << 5 << "" << "<p class=\"x\">&iexcl;</p>";
        QTest::newRow("conversion keys come first: Ctrl+B")
            << int(Qt::Key_B) << 5 << "" << "<p class=\"x\"><b>Hello</b></p>";
        QTest::newRow("accent, then a letter") << int(Qt::Key_Apostrophe) << 0 << "e" << "<p class=\"x\">&eacute;Hello";
        QTest::newRow("accent, then a digit: typed as it is, accent dropped")
            << int(Qt::Key_Apostrophe) << 0 << "5e" << "<p class=\"x\">5eHello";
    }
    void keysThatWriteText()
    {
        QFETCH(int, key);
        QFETCH(int, length);
        QFETCH(QString, typed);
        QFETCH(QString, starts);
        select(box_, 13, length);
        ctrl(Qt::Key(key & ~Qt::ShiftModifier), Qt::KeyboardModifiers(key & Qt::ShiftModifier));
        if (key == Qt::Key_Apostrophe)
            QCOMPARE(state().Status_Color_Panel.text(), QStringLiteral("Acute"));
        QTest::keyClicks(box_, typed);
        QVERIFY2(box_->Text().startsWith(starts), qPrintable(box_->Text()));
        QVERIFY(state().Entity_Suffix.isEmpty());
    }

    void standardFormatKeyAndButton()
    {
        for (const bool button : {false, true}) {
            select(box_, 13, 5);
            box_->setSelBold(true);
            box_->setSelStart(2);
            if (button)
                QTest::mouseClick(w_->cmd_Format, Qt::RightButton);
            else
                ctrl(Qt::Key_Equal);
            QTextCursor c(box_->document());
            c.setPosition(15);
            QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
            QCOMPARE(box_->SelStart(), 2);
            QVERIFY(box_->hasFocus());
        }
    }

    void commandsReachTheirDialogs_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("fileDialog");
        QTest::newRow("Ctrl+Shift+O on a button: the system dialog") << 0 << true;
        QTest::newRow("open button: the list") << 1 << false;
        QTest::newRow("open button, right click: the system dialog") << 2 << true;
        QTest::newRow("Space on the open button: a left click") << 3 << false;
    }
    void commandsReachTheirDialogs()
    {
        QFETCH(int, how);
        QFETCH(bool, fileDialog);
        ScriptedDialogs d;
        if (fileDialog)
            d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        else
            d.onModal(answer(QString()));
        const std::function<void()> acts[] = {
            [&] { QTest::keyClick(w_->cmd_Find, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier); },
            [&] { QTest::mouseClick(w_->cmd_Open, Qt::LeftButton); },
            [&] { QTest::mouseClick(w_->cmd_Open, Qt::RightButton); },
            [&] {
                w_->cmd_Open->setFocus();
                QTest::keyClick(w_->cmd_Open, Qt::Key_Space);
            },
        };
        acts[how]();
        QVERIFY(d.allUsed());
        QCOMPARE(d.fileRequests().size(), fileDialog ? 1 : 0);
    }

    void windowKeysAndMenusLeaveTheText()
    {
        SharedState& s = state();
        const int hor = s.Slider_Hor.value, ver = s.Slider_Ver.value;
        QTest::keyClick(box_, Qt::Key_Left, Qt::AltModifier);
        QTest::keyClick(box_, Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(s.Slider_Hor.value, hor - 1);
        QCOMPARE(s.Slider_Ver.value, ver - 10);
        // Ctrl+Q hides the browser and brings it back.
        ctrl(Qt::Key_Q);
        QVERIFY(s.Browser_Window_Pos < 1);
        ctrl(Qt::Key_Q);
        QCOMPARE(s.Browser_Window_Pos, 2);
        // Ctrl+M and the right button pop up the menus, Shift or Ctrl the keys menu.
        frm_Start* m = forms::Start();
        const QPoint inside = box_->viewport()->rect().center();
        const std::pair<std::function<void()>, QMenu*> cases[] = {
            {[&] { ctrl(Qt::Key_M); }, m->mnu_Source},
            {[&] { ctrl(Qt::Key_M, Qt::ShiftModifier); }, m->mnu_Source_Keys},
            {[&] { QTest::mouseClick(box_->viewport(), Qt::RightButton, {}, inside); }, m->mnu_Source},
            {[&] { QTest::mouseClick(box_->viewport(), Qt::RightButton, Qt::ControlModifier, inside); },
             m->mnu_Source_Keys},
        };
        for (const auto& [act, menu] : cases) {
            act();
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
        }
        QCOMPARE(box_->Text(), kText);
        QVERIFY(box_->hasFocus());
        QTest::keyClick(box_, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w_->tb_Left->cmd_Button[0]);
    }

    void topBarButtons()
    {
        for (QToolButton* b : {w_->cmd_Previous, w_->cmd_Print, w_->cmd_Open, w_->cmd_Indent, w_->cmd_Format})
            QVERIFY2(b->toolTip().contains(" | "), qPrintable(b->objectName()));
        // Save and Refresh writes the page as the editor shows it.
        QTest::keyClicks(box_, "X");
        QTest::mouseClick(w_->cmd_Html, Qt::LeftButton);
        QVERIFY(!state().Source_Changed);
        QCOMPARE(page(), ("X" + kText).toUtf8());
        SharedState& s = state();
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

    void layoutActivationAndPagination()
    {
        const QRect e = box_->geometry();
        QCOMPARE(e.top(), w_->tb_Top->height() + Px_From_Twips_Y(60));
        QCOMPARE(e.left(), w_->tb_Left->width() + Px_From_Twips_X(60));
        QCOMPARE(box_->rightMargin(), Twips_From_Px_X(e.width()) - 800);
        QVERIFY(w_->lbl_Source_File->width() <= Px_From_Twips_X(5000) + 1);
        // Activation shows the source's path, leaving clears it.
        SharedState& s = state();
        QMdiArea* area = forms::Start()->innerArea();
        area->setActiveSubWindow(forms::Browser()->frame());
        QTRY_COMPARE(s.Status_Path_Panel.text(), QString());
        area->setActiveSubWindow(w_->frame());
        QTRY_COMPARE(s.Status_Path_Panel.text(), workingPages(*site_) + "index.rtf");
        // The window never gets smaller than 2500 twips either way.
        w_->frame()->resize(40, 40);
        QTRY_VERIFY(w_->geometryTwips().width() >= 2500 && w_->geometryTwips().height() >= 2500);
        // A change makes the pagination of a printed source stale.
        s.Print_Source = 1;
        s.Paginated = 1;
        QTest::keyClicks(box_, "a");
        QCOMPARE(s.Paginated, 0);
    }

    void emptyEditorIgnoresTheMenuCommands()
    {
        w_->Clear_Source();
        QVERIFY(!w_->tb_Left->isEnabled());
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
