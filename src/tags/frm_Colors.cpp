#include "tags/frm_Colors.h"

#include "ui/window_manner.h"
#include "ui/forms.h"
#include "core/shared_state.h"

TESK_DEFINE_FORM(frm_Colors, Colors)

frm_Colors::frm_Colors() : ToolWindow(QStringLiteral("Color Selection"))
{
    setObjectName(QStringLiteral("frm_Colors"));
}

void frm_Colors::Form_Load()
{
    joinMainWindow();
}

void frm_Colors::Working_Backgrounds() {}

// The size button and the title bar's maximise: back into the pane from the
// whole area (or the free window), else out to the whole area.
void frm_Colors::maximizeRequested()
{
    SharedState& s = state();
    if (s.Color_Window_Pos < 2)
        s.Color_Window_Pos = s.Source_Window_Pos >= 1 ? 3 : 2;
    else
        s.Color_Window_Pos = 1;
    Arrange_Windows();
}

void frm_Colors::closeRequested()
{
    SharedState& s = state();
    s.Tool_Pane_Window = 0;
    s.Color_Window_Pos = 0;
    Arrange_Windows();
}
