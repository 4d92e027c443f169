#pragma once
// What a window may ask of the main window, without knowing it. The main
// window (in app/) implements this and registers itself; windows call it
// through mainWindowPort(), which is null while no main window exists (a
// window tested alone), so every caller checks it.
//
// Requests from one window to another do not pass through here: windows
// emit signals, and the program's wiring in app/ connects them.

#include <QList>
#include <QRect>

class QAction;

class QPoint;
class QWidget;
class ToolWindow;

class MainWindowPort {
public:
    virtual ~MainWindowPort();

    // ---- the tool windows ----------------------------------------------------
    // Puts a tool window (or a dialog shown in the dialog manner) into the
    // main window's inner area; a second call does nothing.
    virtual void addToolWindow(ToolWindow* window) = 0;
    // Places every tool window from the slot codes and the sliders.
    virtual void arrangeWindows() = 0;
    // Hides the tool windows and the Search and Replace window.
    virtual void hideToolWindows() = 0;
    // Shows the slider values of the shared state on the sliders.
    virtual void syncSliders() = 0;
    // Hides the Delete or Rename Pages dialog that is open.
    virtual void hidePageDialog() = 0;

    // ---- menus -------------------------------------------------------------
    virtual void setTopMenusEnabled(bool enabled) = 0;
    virtual bool topMenusEnabled() const = 0;
    // The Source menu's commands that need an open document.
    virtual void setDocumentCommandsEnabled(bool enabled) = 0;
    // Pops up the Source menu, or its Edit Keys submenu, at a screen point;
    // top: actions for this time only, above a separator at the menu's top
    // (the menu owns them and drops them when it closes).
    virtual void popupSourceMenu(bool editKeys, const QPoint& global, const QList<QAction*>& top = {}) = 0;

    // Gives the keyboard focus to the window the user works in: the editor
    // (or its open button while it has no document) when the Source window
    // shows, else the first tool window shown, else the main window.
    virtual void focusWorkWindow() = 0;

    // ---- the main window itself ------------------------------------------------
    // Its frame on the screen, in pixels.
    virtual QRect frameGeometryPx() const = 0;
    // The widget message boxes and modal dialogs belong to.
    virtual QWidget* widget() = 0;
};

MainWindowPort* mainWindowPort();
void setMainWindowPort(MainWindowPort* port);
