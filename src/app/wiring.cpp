#include "app/wiring.h"

#include "browser/frm_Browser.h"
#include "core/shared_state.h"
#include "site/frm_Working_Folder.h"
#include "source/frm_Source.h"
#include "platform/rich_text_box.h"
#include "source/tag_bars.h"
#include "tags/frm_Colors.h"
#include "tags/frm_Images.h"
#include "ui/forms.h"

namespace {

void wireSource(frm_Source* w)
{
    QObject::connect(w, &frm_Source::showPage, w,
                     [](const QString& path) { forms::Browser()->Navigate(path, 14); });
    QObject::connect(w, &frm_Source::refreshPage, w, [] { forms::Browser()->Refresh(); });
    QObject::connect(w, &frm_Source::previousPage, w, [] { forms::Browser()->GoBack(); });
}

void wireBrowser(frm_Browser* w)
{
    QObject::connect(w, &frm_Browser::webAddressAdded, w, [](const QString& address) {
        if (state().Source_Window_Pos > -2)
            if (frm_Source* source = forms::Source_If_Loaded(); source && source->tagBars)
                source->tagBars->Add_Web_Address(address);
    });
}

void wireWorkingFolder(frm_Working_Folder* w)
{
    // Like every other command that replaces the editor's content.
    QObject::connect(w, &frm_Working_Folder::aboutToChangeFolder, w, [] {
        if (frm_Source* source = forms::Source_If_Loaded(); source && state().Source_Changed)
            source->Save_Changes();
    });
    // The open windows re-read what they show from the new site, in this order.
    QObject::connect(w, &frm_Working_Folder::workingFolderChanged, w, [] {
        const SharedState& s = state();
        if (s.Source_Window_Pos > -2)
            if (frm_Source* source = forms::Source_If_Loaded())
                source->Working_Folder_Files();
        if (s.Image_Window_Pos > -2)
            if (frm_Images* images = forms::Images_If_Loaded())
                images->Retrieve_Image_Files();
        if (s.Color_Window_Pos > -2)
            if (frm_Colors* colors = forms::Colors_If_Loaded())
                colors->Working_Backgrounds();
    });
    QObject::connect(w, &frm_Working_Folder::closed, w, [] {
        const SharedState& s = state();
        if (s.Browser_Window_Pos > -2)
            if (frm_Browser* b = forms::Browser_If_Loaded())
                b->Navigate(s.Help_File, 14);
    });
}

} // namespace

void Wire_Windows()
{
    forms::setCreatedHook([](QWidget* w) {
        if (auto* source = qobject_cast<frm_Source*>(w))
            wireSource(source);
        else if (auto* browser = qobject_cast<frm_Browser*>(w))
            wireBrowser(browser);
        else if (auto* folder = qobject_cast<frm_Working_Folder*>(w))
            wireWorkingFolder(folder);
    });
}
