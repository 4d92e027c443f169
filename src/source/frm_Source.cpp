#include "source/frm_Source.h"

#include "core/arrange.h"
#include "core/forms.h"
#include "core/frm_Start.h"
#include "core/shared_state.h"

TESK_DEFINE_FORM(frm_Source, Source)

frm_Source::frm_Source() : ToolWindow(QStringLiteral("Source File"))
{
    setObjectName(QStringLiteral("frm_Source"));
}

void frm_Source::Form_Load()
{
    forms::Start()->addToolWindow(this);
}

void frm_Source::Form_Unload() {}
void frm_Source::Start_New_Page() {}
void frm_Source::Open_Plus_File() {}
void frm_Source::Open_File() {}
void frm_Source::Open_Reference_File() {}
void frm_Source::Save_Source() {}
void frm_Source::Save_As() {}
void frm_Source::Save_New() {}
void frm_Source::Save_Changes() {}
void frm_Source::Edit_Cut() {}
void frm_Source::Edit_Copy() {}
void frm_Source::Edit_Paste() {}
void frm_Source::Edit_Select_All() {}
void frm_Source::Start_Search() {}
void frm_Source::Color_Code() {}
void frm_Source::Format_Standard() {}
void frm_Source::Indent_Text(int) {}
void frm_Source::Preview_Source_File() {}
void frm_Source::Print_Source_File() {}
void frm_Source::focusEditor() { setFocus(); }
void frm_Source::Working_Folder_Files() {}

void frm_Source::maximizeRequested()
{
    SharedState& s = state();
    s.Source_Window_Pos = s.Source_Window_Pos != 1 ? 1 : 2;
    Arrange_Windows();
}

void frm_Source::closeRequested()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    s.Source_Window_Pos = 0;
    if (s.Tool_Pane_Window == 4)
        s.Tool_Pane_Window = 0;
    Arrange_Windows();
}
