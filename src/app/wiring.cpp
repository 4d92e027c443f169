#include "app/wiring.h"

#include "app/frm_Start.h"
#include "browser/frm_Browser.h"
#include "core/shared_state.h"
#include "options/frm_Options.h"
#include "site/frm_Working_Folder.h"
#include "site/page_dialog.h"
#include "source/frm_Source.h"
#include "platform/rich_text_box.h"
#include "print/print_engine.h"
#include "source/source_document.h"
#include "source/tag_bars.h"
#include "source/text_commands.h"
#include "tags/frm_Colors.h"
#include "tags/frm_Images.h"
#include "tags/frm_Tags.h"
#include "ui/forms.h"
#include "ui/link_updates.h"
#include "sitekit/link_rewrite.h"

#include <QLabel>

namespace {

void wireSource(frm_Source* w)
{
    QObject::connect(w, &frm_Source::showPage, w,
                     [](const QString& path) { forms::Browser()->Navigate(path, 14); });
    QObject::connect(w, &frm_Source::refreshPage, w, [] { forms::Browser()->Refresh(); });
    QObject::connect(w, &frm_Source::previousPage, w, [] { forms::Browser()->GoBack(); });
    QObject::connect(w, &frm_Source::previewRequested, w, [] { Preview_Source_File(); });
    QObject::connect(w, &frm_Source::printRequested, w, [] { Print_Source_File(); });
    QObject::connect(w, &frm_Source::checkPageRequested, w, [] { forms::Start()->mnu_Source_Check_Page->trigger(); });
    QObject::connect(w, &frm_Source::findInSiteRequested, w,
                     [](const QString& selection) { forms::Start()->Find_In_Site(selection); });
    QObject::connect(w, &frm_Source::siteResultStepRequested, w,
                     [](bool backward) { forms::Start()->Step_Site_Result(backward); });
    QObject::connect(w->tagBars, &TagBars::Target_Name_Added, w, [](const QString& name) {
        if (state().Image_Window_Pos > -2)
            if (frm_Images* images = forms::Images_If_Loaded())
                images->Add_Target_Entry(name);
    });
}

void wireBrowser(frm_Browser* w)
{
    QObject::connect(w, &frm_Browser::webAddressAdded, w, [](const QString& address) {
        if (state().Source_Window_Pos > -2)
            if (frm_Source* source = forms::Source_If_Loaded(); source && source->tagBars)
                source->tagBars->Add_Web_Address(address);
    });
}

void wireColors(frm_Colors* w)
{
    // Every line added to the site's colour list is offered at once by the
    // Source window's colour bar.
    QObject::connect(w, &frm_Colors::colorEntriesAdded, w, [](const QStringList& entries) {
        if (state().Source_Window_Pos > -2)
            if (frm_Source* source = forms::Source_If_Loaded(); source && source->tagBars)
                for (const QString& entry : entries)
                    source->tagBars->Add_List_Entry(0, entry);
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

void wireImages(frm_Images* w)
{
    // What the tool adds to the site's lists, the open Source window's tag
    // bars offer at once.
    const auto bars = [] {
        frm_Source* source = state().Source_Window_Pos > -2 ? forms::Source_If_Loaded() : nullptr;
        return source ? source->tagBars : nullptr;
    };
    QObject::connect(w, &frm_Images::imageTagAdded, w, [bars](const QString& tag) {
        if (TagBars* b = bars())
            b->Add_List_Entry(1, tag);
    });
    QObject::connect(w, &frm_Images::anchorAdded, w, [bars](const QString& name) {
        if (TagBars* b = bars())
            b->Add_List_Entry(3, name);
    });
    QObject::connect(w, &frm_Images::targetAdded, w, [bars](const QString& name) {
        if (TagBars* b = bars())
            b->Add_Target_Entry(name);
    });
}

void wireOptions(frm_Options* w)
{
    // The editor shows the new colours, font, size and tab width at once,
    // without the document being opened again.
    QObject::connect(w, &frm_Options::optionsApplied, w, [] {
        const SharedState& s = state();
        // A page may be open in a hidden editor too.
        if (frm_Source* source = forms::Source_If_Loaded())
            source->Apply_Editing_Options();
        if (s.Source_Window_Pos <= -2)
            return;
        if (frm_Source* source = forms::Source_If_Loaded()) {
            source->Box_Colors();
            Apply_Editor_Style(*source->rtf_Source);
            if (s.Source_Window_Pos >= 1)
                source->focusEditor();
        }
    });
}

void wireTags(frm_Tags* w)
{
    // The Source window's tag bars show the working-folder lists as written.
    QObject::connect(w, &frm_Tags::listsStored, w, [] {
        if (state().Source_Window_Pos > -2)
            if (frm_Source* source = forms::Source_If_Loaded(); source && source->tagBars)
                source->tagBars->Retrieve_Tag_Lists();
    });
}

void wirePageDialog(PageDialog* w)
{
    // The editor's document is saved (or not) before the dialog takes over.
    QObject::connect(w, &PageDialog::saveChangesRequested, w, [] {
        if (frm_Source* source = forms::Source_If_Loaded(); source && state().Source_Changed)
            source->Save_Changes();
    });
    QObject::connect(w, &PageDialog::showPage, w,
                     [](const QString& path) { forms::Browser()->Navigate(path, 14); });
    QObject::connect(w, &PageDialog::browserPlaced, w, [](const QRect& twips) {
        if (twips.isEmpty()) {
            // Back to the arrangement, which leaves a closed browser alone.
            if (frm_Browser* b = forms::Browser_If_Loaded(); b && state().Browser_Window_Pos < 1)
                b->hideFrame();
            return;
        }
        frm_Browser* b = forms::Browser();
        b->showFrame();
        b->setGeometryTwips(twips);
    });
    QObject::connect(w, &PageDialog::pagesChanged, w, [] {
        const SharedState& s = state();
        if (s.Source_Window_Pos > -2)
            if (frm_Source* source = forms::Source_If_Loaded(); source && source->tagBars)
                source->tagBars->Retrieve_HTML_Pages();
        if (s.Image_Window_Pos > -2)
            if (frm_Images* images = forms::Images_If_Loaded())
                images->Retrieve_HTML_Pages();
    });
    // The editor's own page deleted: the editor is emptied; renamed: the
    // editor carries on under the new name.
    QObject::connect(w, &PageDialog::pageDeleted, w, [](const QString& sourcePath) {
        SharedState& s = state();
        frm_Source* source = forms::Source_If_Loaded();
        if (!source || s.Source_Path.isEmpty() || !srcdoc::Same_File(s.Source_Path, sourcePath))
            return;
        source->Clear_Source();
        s.Source_Title.clear();
        s.Source_Path.clear();
        s.HTML_Name.clear();
        s.HTML_Path.clear();
        s.Status_Path_Panel.clear();
    });
    QObject::connect(w, &PageDialog::pageRenamed, w, [](const QString& sourcePath, const QString& newName) {
        SharedState& s = state();
        frm_Source* source = forms::Source_If_Loaded();
        if (!source || s.Source_Path.isEmpty() || !srcdoc::Same_File(s.Source_Path, sourcePath))
            return;
        s.Source_Title = newName;
        source->lbl_Source_File->setText(srcdoc::Adjust_Source_Name(s));
        srcdoc::Adjust_HTML_Name(s);
        s.Status_Path_Panel.setText(s.Source_Path);
    });
}

} // namespace

void Wire_Windows()
{
    // A rename that updates links changes the document open in the editor
    // through the editor: one undo step, marked changed, nothing lost of
    // what the user has not saved.
    linkui::setEditorDocument([] {
        linkui::EditorDocument doc;
        const SharedState& s = state();
        frm_Source* source = forms::Source_If_Loaded();
        if (!source || s.Source_Path.isEmpty())
            return doc;
        doc.paths = {s.Source_Path, s.HTML_Path};
        doc.apply = [](const QString& from, const QString& to) {
            frm_Source* source = forms::Source_If_Loaded();
            if (!source)
                return;
            const QString base = linkui::siteRelative(state().HTML_Path);
            std::vector<RichTextBox::Replacement> pieces;
            for (const sitekit::TextEdit& e : sitekit::textEdits(source->rtf_Source->Text(), base, from, to))
                pieces.push_back({e.start, e.length, e.with});
            source->rtf_Source->replaceRanges(pieces);
        };
        return doc;
    });
    forms::setCreatedHook([](QWidget* w) {
        if (auto* source = qobject_cast<frm_Source*>(w))
            wireSource(source);
        else if (auto* browser = qobject_cast<frm_Browser*>(w))
            wireBrowser(browser);
        else if (auto* folder = qobject_cast<frm_Working_Folder*>(w))
            wireWorkingFolder(folder);
        else if (auto* options = qobject_cast<frm_Options*>(w))
            wireOptions(options);
        else if (auto* tags = qobject_cast<frm_Tags*>(w))
            wireTags(tags);
        else if (auto* images = qobject_cast<frm_Images*>(w))
            wireImages(images);
        else if (auto* colors = qobject_cast<frm_Colors*>(w))
            wireColors(colors);
        else if (auto* page = qobject_cast<PageDialog*>(w))
            wirePageDialog(page);
    });
}
