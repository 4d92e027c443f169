#include "browser/frm_Browser.h"

#include "core/arrange.h"
#include "core/forms.h"
#include "core/frm_Start.h"
#include "core/shared_state.h"

TESK_DEFINE_FORM(frm_Browser, Browser)

frm_Browser::frm_Browser() : ToolWindow(QStringLiteral("Browser"))
{
    setObjectName(QStringLiteral("frm_Browser"));
}

void frm_Browser::Form_Load()
{
    forms::Start()->addToolWindow(this);
}

void frm_Browser::Navigate(const QString&, int) {}
void frm_Browser::GoBack() {}
void frm_Browser::GoForward() {}
void frm_Browser::GoHome() {}
void frm_Browser::Refresh() {}
void frm_Browser::Stop() {}
void frm_Browser::ExecWB(int) {}
void frm_Browser::Open_Disk_File() {}
void frm_Browser::Stop_Timer() {}
void frm_Browser::Display_Buttons(bool) {}
void frm_Browser::Show_Access(bool) {}
void frm_Browser::Focus_Access() {}

void frm_Browser::maximizeRequested()
{
    SharedState& s = state();
    s.Browser_Window_Pos = s.Browser_Window_Pos == 1 ? 2 : 1;
    Arrange_Windows();
}

void frm_Browser::closeRequested()
{
    state().Browser_Window_Pos = 0;
    Arrange_Windows();
}
