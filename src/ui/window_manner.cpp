#include "ui/window_manner.h"

#include "core/main_window_port.h"
#include "core/shared_state.h"
#include "core/site_layout.h"
#include "core/window_arrangement.h"
#include "platform/screen.h"
#include "ui/tool_window.h"

#include <QPoint>
#include <QPushButton>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
std::function<void(const QPoint&)>& helpMover()
{
    static std::function<void(const QPoint&)> mover;
    return mover;
}
} // namespace

void setHelpWindowMover(std::function<void(const QPoint&)> mover) { helpMover() = std::move(mover); }

void Move_Help_Window(int leftPx, int topPx)
{
    SharedState& s = state();
    s.Help_Left = leftPx;
    s.Help_Top = topPx;
    if (helpMover())
        helpMover()(QPoint(leftPx, topPx));
}

void Arrange_Windows()
{
    if (MainWindowPort* m = mainWindowPort())
        m->arrangeWindows();
}

void Hide_Tool_Windows()
{
    if (MainWindowPort* m = mainWindowPort())
        m->hideToolWindows();
}

void Disable_Menus()
{
    if (MainWindowPort* m = mainWindowPort())
        m->setTopMenusEnabled(false);
}

void Enable_Menus_All()
{
    if (MainWindowPort* m = mainWindowPort())
        m->setTopMenusEnabled(true);
}

bool Menus_Disabled()
{
    const MainWindowPort* m = mainWindowPort();
    return m && !m->topMenusEnabled();
}

void Save_Layout()
{
    SharedState& s = state();
    s.Saved_Layout = {s.Browser_Window_Pos, s.Source_Window_Pos, s.Tool_Pane_Window,
                      s.Color_Window_Pos, s.Image_Window_Pos};
    Hide_Tool_Windows();
    Disable_Menus();
}

void Restore_Layout()
{
    SharedState& s = state();
    if (MainWindowPort* m = mainWindowPort())
        m->hidePageDialog();
    s.Page_Dialog = 0;
    s.Browser_Window_Pos = s.Saved_Layout.Browser_Window_Pos;
    s.Source_Window_Pos = s.Saved_Layout.Source_Window_Pos;
    s.Tool_Pane_Window = s.Saved_Layout.Tool_Pane_Window;
    s.Color_Window_Pos = s.Saved_Layout.Color_Window_Pos;
    s.Image_Window_Pos = s.Saved_Layout.Image_Window_Pos;
    Enable_Menus_All();
    Arrange_Windows();
}

bool Move_Split_Keys(int& keyCode, int shift)
{
    if (!Move_Split(keyCode, shift, state()))
        return false;
    keyCode = 0;
    if (MainWindowPort* m = mainWindowPort())
        m->syncSliders();
    Arrange_Windows();
    return true;
}

bool Move_Dialog_Keys(int& keyCode, int shift, ToolWindow* window)
{
    if (!window)
        return false;
    const SharedState& s = state();
    const QRect g = window->geometryTwips();
    const DialogMove m = Move_Dialog(keyCode, shift, g.topLeft(), g.size(),
                                     QSize(s.Client_Width, s.Client_Height), 60,
                                     Twips_Per_Pixel_X(), Twips_Per_Pixel_Y(), false);
    if (!m.used)
        return false;
    keyCode = 0;
    window->moveTwips(m.pos.x(), m.pos.y());
    return true;
}

bool Move_Window_Keys(int& keyCode, int shift, QWidget* window)
{
    if (!window)
        return false;
    const QSize screen = Screen_Size_Pixels();
    const QRect f = window->frameGeometry();
    const QPoint pos(Twips_From_Px_X(f.x()), Twips_From_Px_Y(f.y()));
    const QSize size(Twips_From_Px_X(f.width()), Twips_From_Px_Y(f.height()));
    const QSize area(Twips_From_Px_X(screen.width()), Twips_From_Px_Y(screen.height()));
    const DialogMove m = Move_Dialog(keyCode, shift, pos, size, area, 120, Twips_Per_Pixel_X(),
                                     Twips_Per_Pixel_Y(), true);
    if (!m.used)
        return false;
    keyCode = 0;
    window->move(Px_From_Twips_X(m.pos.x()), Px_From_Twips_Y(m.pos.y()));
    return true;
}

void Show_Dialog(ToolWindow* dialog)
{
    Hide_Tool_Windows();
    Disable_Menus();
    if (MainWindowPort* m = mainWindowPort())
        m->addToolWindow(dialog);
    dialog->showFrame();
    dialog->moveTwips(60, 60);
    dialog->raise();
    if (dialog->frame())
        dialog->frame()->raise();
    dialog->setFocus();
}

void Close_Dialog(ToolWindow* dialog)
{
    if (dialog)
        dialog->hideFrame();
    Enable_Menus_All();
    Arrange_Windows();
    // Where the windows coming back put the focus is chance too.
    Return_Focus_After_Close(dialog);
}

namespace {

bool insideToolWindow(const QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (qobject_cast<const ToolWindow*>(w))
            return true;
    return false;
}

} // namespace

void Return_Focus_After_Close(QWidget* closed)
{
    // What the caller does next (a new site empties the editor) may leave the
    // focus nowhere; Qt hands it on to the next control of the main window,
    // which is any toolbar button or slider. Keys must work at once: the
    // focus goes back to the window the user works in.
    QTimer::singleShot(0, [closed = QPointer<QWidget>(closed),
                           byChance = QPointer<QWidget>(QApplication::focusWidget())] {
        MainWindowPort* m = mainWindowPort();
        if (!m)
            return;
        const QWidget* focus = QApplication::focusWidget();
        const bool lost = !focus || !focus->isVisible() || !focus->isEnabled() || focus == byChance
            || (closed && (focus == closed || closed->isAncestorOf(focus)))
            || (focus->window() == m->widget() && !insideToolWindow(focus));
        if (lost)
            m->focusWorkWindow();
    });
}

void Place_Over_Help_Window(QWidget* dialog)
{
    SharedState& s = state();
    const QPoint help(Twips_From_Px_X(s.Help_Left), Twips_From_Px_Y(s.Help_Top));
    const site::DialogPlacement p = site::Place_Folder_Picker(s.Help_Shown, help);
    if (p.moveHelp)
        Move_Help_Window(Px_From_Twips_X(p.help.x()), Px_From_Twips_Y(p.help.y()));
    if (p.moveDialog)
        dialog->move(Px_From_Twips_X(p.dialog.x()), Px_From_Twips_Y(p.dialog.y()));
}

QPushButton* Make_Close_Button(QWidget* parent, const QString& objectName)
{
    auto* b = new QPushButton(QStringLiteral("&X"), parent);
    b->setObjectName(objectName);
    b->setToolTip(QStringLiteral(" Close "));
    // As wide as it is high: a box, not a word.
    b->setFixedWidth(b->sizeHint().height() + 6);
    return b;
}
