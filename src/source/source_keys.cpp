// The source window's own keys, as rows of (key, shift mask, command): the
// keys of the editor, which the Ctrl-key conversions see first, and the keys
// of the whole window, which it sees before any of its controls. A key no row
// names goes on to the control.

#include "source/frm_Source.h"

#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "source/button_bar.h"
#include "source/matching_tag_marks.h"
#include "source/editor_assist.h"
#include "ui/window_manner.h"

#include <span>

namespace {

constexpr int Ctrl = vb::CtrlMask;
constexpr int CtrlShift = vb::CtrlMask | vb::ShiftMask;
constexpr int Alt = vb::AltMask;
// Added to a mask: the row holds with or without Shift.
constexpr int OrShift = 8;

// Where Ctrl+M pops the menus up, from the editor's top left corner.
constexpr int kMenuOffsetTwips = 120;

struct KeyRow {
    int keyCode;
    int shift;
    void (*command)(frm_Source& w, int keyCode, int shift);
};

const KeyRow* Find_Key(std::span<const KeyRow> rows, int keyCode, int shift)
{
    for (const KeyRow& row : rows) {
        const int held = (row.shift & OrShift) ? shift & ~vb::ShiftMask : shift;
        if (row.keyCode == keyCode && (row.shift & ~OrShift) == held)
            return &row;
    }
    return nullptr;
}

} // namespace

void frm_Source::Editor_KeyDown(int& keyCode, int shift)
{
    static const KeyRow rows[] = {
        {vb::Key_Home, Alt | OrShift, [](frm_Source& w, int, int) { w.tb_Left->Focus_First_Button(); }},
        {vb::Key_0, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Format_Click(false); }},
        {vb::Key_0 + 1, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Color_Key(0); }},
        {vb::Key_0 + 2, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Color_Key(1); }},
        {vb::Key_0 + 3, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Color_Key(2); }},
        {vb::Key_0 + 4, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Color_Key(3); }},
        {vb::letter('F'), Ctrl | OrShift, [](frm_Source& w, int, int) { w.Start_Search(); }},
        {vb::letter('J'), Ctrl, [](frm_Source& w, int, int) { w.tagMatch->Go_To_Partner(); }},
        {vb::letter('H'), CtrlShift, [](frm_Source& w, int, int) { emit w.findInSiteRequested(w.rtf_Source->SelText()); }},
        {vb::Key_F1 + 3, 0, [](frm_Source& w, int, int) { emit w.siteResultStepRequested(false); }},
        {vb::Key_F1 + 3, vb::ShiftMask, [](frm_Source& w, int, int) { emit w.siteResultStepRequested(true); }},
        {vb::letter('M'), Ctrl, [](frm_Source& w, int, int) { w.Popup_Menu(false, w.Menu_Key_Point()); }},
        {vb::letter('M'), CtrlShift, [](frm_Source& w, int, int) { w.Popup_Menu(true, w.Menu_Key_Point()); }},
        {vb::letter('P'), Ctrl, [](frm_Source& w, int, int) { w.Preview_Source_File(); Arrange_Windows(); }},
        {vb::letter('P'), CtrlShift, [](frm_Source& w, int, int) { w.Print_Source_File(); Arrange_Windows(); }},
        {vb::letter('Q'), Ctrl | OrShift, [](frm_Source& w, int, int) { w.Toggle_Browser(); }},
        {vb::letter('S'), Ctrl, [](frm_Source& w, int, int) { w.Html_Click(); }},
        {vb::letter('S'), CtrlShift, [](frm_Source& w, int, int) { w.Save_As(); }},
        {vb::Key_Equals, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Format_Click(true); }},
        {vb::Key_LeftBracket, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Indent_Text(2); }},
        {vb::Key_RightBracket, Ctrl | OrShift, [](frm_Source& w, int, int) { w.Indent_Text(1); }},
        {vb::Key_F1 + 8, 0, [](frm_Source& w, int, int) { emit w.checkPageRequested(); }},
        {vb::Key_F1 + 6, 0, [](frm_Source& w, int, int) { w.Next_Misspelt_Word(); }},
    };
    // The list of names, while it shows, has the keys that choose from it.
    if (assist->keyDown(keyCode, shift)) {
        keyCode = 0;
        return;
    }
    // The conversions (entities, tags, bookmarks) come first; what they
    // leave may be one of ours.
    if ((shift == Ctrl || shift == CtrlShift) && Run_Convert_Key(keyCode, shift & vb::ShiftMask))
        return;
    if (const KeyRow* row = Find_Key(rows, keyCode, shift)) {
        const int key = keyCode;
        keyCode = 0;
        row->command(*this, key, shift);
    }
}

bool frm_Source::windowKey(int keyCode, int shift)
{
    static const auto moveSplit = [](frm_Source& w, int key, int held) {
        Move_Split_Keys(key, held);
        w.focusEditor();
    };
    static const KeyRow rows[] = {
        {vb::Key_Left, Alt | OrShift, moveSplit},
        {vb::Key_Up, Alt | OrShift, moveSplit},
        {vb::Key_Right, Alt | OrShift, moveSplit},
        {vb::Key_Down, Alt | OrShift, moveSplit},
        {vb::letter('N'), Ctrl | OrShift, [](frm_Source& w, int, int) { w.Start_New_Page(); }},
        {vb::letter('O'), Ctrl, [](frm_Source& w, int, int) { w.Open_Plus_File(); }},
        {vb::letter('O'), CtrlShift, [](frm_Source& w, int, int) { w.Open_File(); }},
    };
    const KeyRow* row = Find_Key(rows, keyCode, shift);
    if (row)
        row->command(*this, keyCode, shift);
    return row != nullptr;
}

void frm_Source::Color_Key(int box)
{
    state().Color_Index = box;
    Select_Color();
}

QPoint frm_Source::Menu_Key_Point() const
{
    return rtf_Source->mapToGlobal(QPoint(Px_From_Twips_X(kMenuOffsetTwips), Px_From_Twips_Y(kMenuOffsetTwips)));
}
