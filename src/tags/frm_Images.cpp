#include "tags/frm_Images.h"

#include "ui/window_manner.h"
#include "ui/forms.h"
#include "core/shared_state.h"

TESK_DEFINE_FORM(frm_Images, Images)

frm_Images::frm_Images() : ToolWindow(QStringLiteral("Images"))
{
    setObjectName(QStringLiteral("frm_Images"));
}

void frm_Images::Form_Load()
{
    joinMainWindow();
}

void frm_Images::Retrieve_Image_Files() {}

// The size button and the title bar's maximise: back into the pane from the
// whole area (or the free window), else out to the whole area.
void frm_Images::maximizeRequested()
{
    SharedState& s = state();
    if (s.Image_Window_Pos < 2)
        s.Image_Window_Pos = s.Source_Window_Pos >= 1 ? 3 : 2;
    else
        s.Image_Window_Pos = 1;
    Arrange_Windows();
}

void frm_Images::closeRequested()
{
    SharedState& s = state();
    s.Tool_Pane_Window = 0;
    s.Image_Window_Pos = 0;
    Arrange_Windows();
}
