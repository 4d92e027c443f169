#pragma once
// Placing the tool windows inside the main window, the dialog manner, and
// the keyboard movers. The geometry itself is computed in
// window_arrangement; these procedures apply it to the windows.

#include "platform/screen.h"

#include <QSize>

class QWidget;
class ToolWindow;

void Adjust_Sliders();
void Arrange_Windows();
void Display_Browser_Buttons();
void Hide_Tool_Windows();
void Disable_Menus();
void Enable_Menus_All();
bool Menus_Disabled();
void Save_Layout();
void Restore_Layout();
void Clear_Display();

// Keyboard movers: return true (and set keyCode to 0) when the key was used.
bool Move_Split_Keys(int& keyCode, int shift);
// Moves a window within the main window's inner area.
bool Move_Dialog_Keys(int& keyCode, int shift, ToolWindow* window);
// Moves a top-level window on the screen.
bool Move_Window_Keys(int& keyCode, int shift, QWidget* window);

// The dialog manner: tool windows hidden, the five menus disabled, the dialog
// shown modeless at 60, 60 twips inside the main window. Close_Dialog is its
// other half, run by every route that closes such a dialog.
void Show_Dialog(ToolWindow* dialog);
void Close_Dialog(ToolWindow* dialog);

// Start-up helpers.
void Show_Browser_Initially();
void Focus_Source_If_Shown();
QSize Find_Dialog_Size_Twips();

// What a minimised main window does to an open Delete or Rename Pages dialog.
void End_Page_Dialog();
