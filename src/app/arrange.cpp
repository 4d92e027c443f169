#include "app/arrange.h"

#include "browser/frm_Browser.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "platform/screen.h"
#include "ui/tool_window.h"
#include "core/window_arrangement.h"
#include "site/frm_Delete.h"
#include "site/frm_Rename.h"
#include "source/frm_Find.h"
#include "source/frm_Source.h"
#include "tags/frm_Colors.h"
#include "tags/frm_Images.h"

#include <QApplication>

namespace {

void place(ToolWindow* w, const Placement& p)
{
    if (!w)
        return;
    switch (p.action) {
    case Placement::Action::Untouched:
        break;
    case Placement::Action::Hide:
        w->hideFrame();
        break;
    case Placement::Action::Show:
        w->showFrame();
        w->setGeometryTwips(p.rect);
        break;
    }
}

// A window that must be shown is loaded; one that is only hidden is touched
// only when it exists.
template <typename Loaded, typename Load>
ToolWindow* windowFor(const Placement& p, Loaded loaded, Load load)
{
    if (p.action == Placement::Action::Show)
        return load();
    return loaded();
}

} // namespace

void Place_Browser(const Placement& p)
{
    place(windowFor(p, forms::Browser_If_Loaded, forms::Browser), p);
    if (p.action == Placement::Action::Show)
        Display_Browser_Buttons();
}

void Place_Source(const Placement& p)
{
    place(windowFor(p, forms::Source_If_Loaded, forms::Source), p);
    // The Search and Replace window searches the source: closing the source
    // closes it (its state is then 0).
    if (state().Find_Window_State == 0)
        if (frm_Find* find = forms::Find_If_Loaded())
            find->hide();
}

void Place_Images(const Placement& p)
{
    place(windowFor(p, forms::Images_If_Loaded, forms::Images), p);
}

void Place_Colors(const Placement& p)
{
    place(windowFor(p, forms::Colors_If_Loaded, forms::Colors), p);
}

void Adjust_Sliders()
{
    frm_Start* start = forms::Start();
    SharedState& s = state();
    const QSize inner = start->innerSizePx();
    const InnerGeometry g = Compute_Inner_Geometry(inner.width(), inner.height(), Twips_Per_Pixel_X(),
                                                   Twips_Per_Pixel_Y(), s.Split_Ratio_X,
                                                   s.Split_Ratio_Y);
    s.Client_Width = g.clientWidth;
    s.Client_Height = g.clientHeight;
    s.Max_Split_X = g.maxSplitX;
    s.Max_Split_Y = g.maxSplitY;
    s.Slider_Hor.maximum = g.sliderHorMax;
    s.Slider_Ver.maximum = g.sliderVerMax;
    s.Slider_Hor.value = g.sliderHor;
    s.Slider_Ver.value = g.sliderVer;
    start->syncSliders();
}

void Apply_Arrangement()
{
    if (Menus_Disabled())
        return;
    SharedState& s = state();
    QSize colorsSize(0, 0);
    if (s.Color_Window_Pos > 0)
        colorsSize = forms::Colors()->designSizeTwips();
    ArrangeInput in = Arrange_Input_From(s, Twips_Per_Pixel_X(), Twips_Per_Pixel_Y(), colorsSize);
    if (s.Tool_Pane_Window == 1 && s.Image_Window_Pos > 0)
        in.toolNeeds = forms::Images()->neededSizeTwips();
    else if (s.Tool_Pane_Window == 2 && s.Color_Window_Pos > 0)
        in.toolNeeds = forms::Colors()->neededSizeTwips();
    const ArrangeResult r = Compute_Arrangement(in);
    Apply_Arrange_Result(s, r);
    forms::Start()->syncSliders();

    Place_Browser(r.browserPlace);
    Place_Source(r.sourcePlace);
    Place_Images(r.imagesPlace);
    Place_Colors(r.colorsPlace);

    if (r.focusBrowser)
        forms::Browser()->setFocus();
}

void Display_Browser_Buttons()
{
    const SharedState& s = state();
    if (frm_Start* start = forms::Start_If_Loaded())
        start->setToolbarChecked(s.Show_Browser_Buttons);
    if (frm_Browser* b = forms::Browser_If_Loaded())
        b->Display_Buttons(s.Show_Browser_Buttons);
}

void Hide_All_Tool_Windows()
{
    const SharedState& s = state();
    if (frm_Browser* b = forms::Browser_If_Loaded())
        b->hideFrame();
    if (s.Source_Window_Pos > 0)
        if (frm_Source* w = forms::Source_If_Loaded())
            w->hideFrame();
    if (s.Image_Window_Pos > 0)
        if (frm_Images* w = forms::Images_If_Loaded())
            w->hideFrame();
    if (s.Color_Window_Pos > 0)
        if (frm_Colors* w = forms::Colors_If_Loaded())
            w->hideFrame();
    if (s.Find_Window_State > 0)
        if (frm_Start* start = forms::Start_If_Loaded())
            start->hideFindWindow();
}

void End_Page_Dialog()
{
    const int open = state().Page_Dialog;
    frm_Delete* del = forms::Delete_If_Loaded();
    frm_Rename* ren = forms::Rename_If_Loaded();
    if (open == 1 && del && del->isOpen())
        del->End_Delete();
    else if (open == 2 && ren && ren->isOpen())
        ren->End_Rename();
    else if (open != 0)
        Restore_Layout();
}

void Clear_Display()
{
    SharedState& s = state();
    for (int* code : {&s.Browser_Window_Pos, &s.Source_Window_Pos, &s.Image_Window_Pos,
                      &s.Color_Window_Pos})
        if (*code > 0)
            *code = 0;
    s.Tool_Pane_Window = 0;
    Arrange_Windows();
}

void Show_Browser_Initially()
{
    const SharedState& s = state();
    frm_Browser* b = forms::Browser();
    b->showFrame();
    b->setGeometryTwips(QRect(60, 60, s.Client_Width, s.Client_Height));
}

void Focus_Source_If_Shown()
{
    if (state().Source_Window_Pos > 0)
        if (frm_Source* w = forms::Source_If_Loaded(); w && w->frameVisible())
            w->focusEditor();
}

namespace {

// A tool window's keys work only in one of its controls: the one that had the
// focus last, else its first control.
void focusToolWindow(ToolWindow* w)
{
    if (w->focusProxy()) {
        w->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget* last = w->focusWidget();
    if (last && last != w && last->isVisible() && last->isEnabled()) {
        last->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* c = w->nextInFocusChain(); c && c != w; c = c->nextInFocusChain())
        if (w->isAncestorOf(c) && c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus)) {
            c->setFocus(Qt::TabFocusReason);
            return;
        }
    w->setFocus(Qt::OtherFocusReason);
}

} // namespace

void Focus_Work_Window()
{
    if (frm_Source* w = forms::Source_If_Loaded(); w && state().Source_Window_Pos > 0 && w->frameVisible()) {
        w->focusEditor();
        return;
    }
    for (ToolWindow* w : std::initializer_list<ToolWindow*>{forms::Browser_If_Loaded(), forms::Images_If_Loaded(),
                                                           forms::Colors_If_Loaded()})
        if (w && w->frameVisible()) {
            focusToolWindow(w);
            return;
        }
    if (frm_Start* start = forms::Start_If_Loaded())
        start->setFocus();
}

QSize Find_Dialog_Size_Twips()
{
    // The Search and Replace window's designed size.
    return QSize(7200, 3600);
}
