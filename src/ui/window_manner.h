#pragma once
// What every window does with the main window's layout, without knowing the
// main window: arranging the tool windows, the dialog manner, the keyboard
// movers. Each reaches the main window through core/main_window_port.h and
// does nothing while there is none.

#include <functional>

class QPoint;
class QPushButton;
class QString;
class QWidget;
class ToolWindow;

void Arrange_Windows();
void Hide_Tool_Windows();
void Disable_Menus();
void Enable_Menus_All();
bool Menus_Disabled();

// The Delete and Rename Pages dialogs put the window codes aside while they
// are open (Save_Layout hides the tool windows and disables the menus) and
// bring them back when they end.
void Save_Layout();
void Restore_Layout();

// Keyboard movers: return true (and set keyCode to 0) when the key was used.
// Alt+arrows move the split between the windows (Shift: in small steps).
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

// A window that held the focus went away (a tool window closed, a dialog
// ended): once its caller is done, the work window takes the focus, unless
// the caller gave it to a control of its choosing.
void Return_Focus_After_Close(QWidget* closed);

// Keeps a top-level dialog and the help window apart when the dialog becomes
// active (the folder picker and the editor's name dialogs).
void Place_Over_Help_Window(QWidget* dialog);

// A dialog that pushes the help window out of its way gives its new place
// (screen pixels) here: the help window, when it exists, moves there, and the
// shared state remembers it.
void Move_Help_Window(int leftPx, int topPx);
// The help window registers how it is moved (null when it goes away).
void setHelpWindowMover(std::function<void(const QPoint&)> mover);

// The small "&X" button in a dialog's corner that closes it (" Close ").
QPushButton* Make_Close_Button(QWidget* parent, const QString& objectName);
