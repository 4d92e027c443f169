#pragma once
// Placing the tool windows inside the main window. The geometry itself is
// computed in core/window_arrangement; these procedures apply it to the
// windows. What the windows themselves call (Arrange_Windows and the dialog
// manner) is in ui/window_manner.h and reaches here through the main window.

#include "ui/window_manner.h"

#include <QSize>

void Adjust_Sliders();
// The arrangement itself (Arrange_Windows runs it through the main window).
void Apply_Arrangement();
void Display_Browser_Buttons();
// Hides every tool window that is shown.
void Hide_All_Tool_Windows();
void Clear_Display();

// Start-up helpers.
void Show_Browser_Initially();
void Focus_Source_If_Shown();
// The editor when the Source window shows, else the first tool window shown,
// else the main window takes the keyboard focus.
void Focus_Work_Window();
QSize Find_Dialog_Size_Twips();

// What a minimised main window does to an open Delete or Rename Pages dialog.
void End_Page_Dialog();
