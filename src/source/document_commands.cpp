// The source window's document commands: the three opens, the saves, the
// change question and new pages. Each opened or saved document is written at
// once as its source in Working-Pages and its page in Final-Pages; the name
// rules and messages come from source/source_document.h.

#include "source/frm_Source.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "source/frm_Ref_Open.h"
#include "source/frm_Source_Open.h"
#include "source/frm_Source_Save_As.h"
#include "source/new_page.h"
#include "source/source_document.h"
#include "ui/window_manner.h"

#include <QLabel>

frm_Source::Document frm_Source::Current_Document() const
{
    const SharedState& s = state();
    return {s.Source_Path, s.Source_Title, s.HTML_Name, s.HTML_Path};
}

void frm_Source::Restore_Document(const Document& d)
{
    SharedState& s = state();
    s.Source_Path = d.Source_Path;
    s.Source_Title = d.Source_Title;
    s.HTML_Name = d.HTML_Name;
    s.HTML_Path = d.HTML_Path;
}

void frm_Source::Show_Source_Name(const QString& name)
{
    lbl_Source_File->setText(name);
    Show_Changed_Mark();
}

void frm_Source::Show_Changed_Mark()
{
    const QString name = lbl_Source_File->text();
    QString title = QStringLiteral("Source File");
    if (!name.isEmpty())
        title += QStringLiteral(" - ") + name;
    if (state().Source_Changed)
        title += QStringLiteral(" *");
    setWindowTitle(title);
}

void frm_Source::Open_Plus_File()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    const Document before = Current_Document();
    frm_Source_Open dlg(dialogs::parentWindow());
    dialogs::exec(dlg);
    if (!s.Source_Title.isEmpty() && !s.Dialog_Cancelled)
        Open_Finish(before);
}

void frm_Source::Open_File()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    if (s.Source_Folder.isEmpty())
        s.Source_Folder = s.Working_Pages_Folder;
    dialogs::FileRequest r;
    r.kind = dialogs::FileRequest::Kind::Open;
    r.title = srcdoc::kOpenDialogTitle;
    r.folder = s.Source_Folder;
    r.filter = s.Source_File_Filter;
    r.filterIndex = 1;
    r.fileName = QString();
    r.mustExist = true;
    const dialogs::FileResult chosen = dialogs::fileDialog(r);
    if (chosen.path.isEmpty())
        return;
    const Document before = Current_Document();
    s.Source_Path = chosen.path;
    s.Source_Title = fs::fileName(chosen.path);
    s.Source_Folder = fs::withSeparator(fs::parentFolder(chosen.path));
    Open_Finish(before);
}

void frm_Source::Open_Reference_File()
{
    SharedState& s = state();
    if (s.Source_Window_Pos < 1) {
        s.Source_Window_Pos = 1;
        Arrange_Windows();
    }
    frm_Ref_Open dlg(dialogs::parentWindow());
    dialogs::exec(dlg);
    if (s.Reference_Name.isEmpty() || s.Dialog_Cancelled)
        return;
    const Document before = Current_Document();
    s.Source_Folder = s.Reference_Folder;
    s.Source_Title = s.Reference_Name + QStringLiteral(".rtf");
    s.Source_Path = s.Reference_Folder + s.Source_Title;
    Open_Finish(before);
}

void frm_Source::Open_Finish(const Document& before)
{
    SharedState& s = state();
    if (!rtf_Source->LoadFile(s.Source_Path)) {
        const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
        const QString path = s.Source_Path;
        Restore_Document(before);
        dialogs::message(srcdoc::Not_Opened(path, why), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                         srcdoc::kNotOpenedTitle);
        return;
    }
    // Opening makes the file the source of its name in Working-Pages, with
    // its page in Final-Pages: a file of another document there is not
    // replaced unasked.
    const QString opened = s.Source_Path;
    const srcdoc::DocumentNames target =
        srcdoc::Name_Rules(s.Source_Title, s.Working_Pages_Folder, s.Final_Pages_Folder);
    const QString replaced = srcdoc::Open_Would_Replace(opened, target);
    if (!replaced.isEmpty()
        && dialogs::message(srcdoc::Replace_Existing_Question(replaced), dialogs::Buttons::YesNo,
                            dialogs::Icon::Exclamation, srcdoc::kOpenReplaceTitle)
            != dialogs::Answer::Yes) {
        // The text stays, unnamed and unsaved: Save As gives it a name.
        Restore_Document({});
        Show_Source_Name(QString());
        s.Status_Path_Panel.setText(QString());
        Enable_Menus();
        s.Source_Changed = true;
        Show_Changed_Mark();
        return;
    }
    const QString loadedFrom = s.Source_Path;
    Show_Source_Name(srcdoc::Adjust_Source_Name(s));
    // A protected source opened where it lies is on disk as the editor
    // shows it: nothing is lost by leaving it.
    if (!Save_Document() && loadedFrom == s.Source_Path) {
        s.Source_Changed = false;
        Show_Changed_Mark();
    }
    Retrieve_HTML_Pages();
}

// The document commands of the menus and keys act only on an open document
// (the main menu can reach them before the window has shown one).
void frm_Source::Save_Source()
{
    if (editorUsable())
        Save_Document();
}

void frm_Source::Save_As()
{
    if (editorUsable())
        Name_And_Save();
}

bool frm_Source::Save_Document()
{
    SharedState& s = state();
    if (s.Source_Path.isEmpty()) {
        Name_And_Save();
        return true;
    }
    const bool saved = rtf_Source->SaveFile(s.Source_Path, 0);
    const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
    if (!saved) {
        if (why == fs::Result::PermissionDenied)
            dialogs::message(srcdoc::kReadOnlyMessage, dialogs::Buttons::Ok, dialogs::Icon::Critical,
                             srcdoc::kReadOnlyTitle);
        else
            dialogs::message(srcdoc::Source_Not_Saved(s.Source_Path, why), dialogs::Buttons::Ok,
                             dialogs::Icon::Critical, srcdoc::kNotSavedTitle);
    }
    // The page of this document, whether or not it is written now: the
    // browser shows it either way.
    srcdoc::Adjust_HTML_Name(s);
    if (saved && !rtf_Source->SaveFile(s.HTML_Path, 1)) {
        const auto pageWhy = static_cast<fs::Result>(rtf_Source->lastFileError());
        dialogs::message(srcdoc::Page_Not_Saved(s.HTML_Path, pageWhy), dialogs::Buttons::Ok,
                         dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
    }
    emit showPage(s.HTML_Path);
    s.Status_Path_Panel.setText(s.Source_Path);
    Enable_Menus();
    // Text that is not on disk stays marked as changed (a protected page
    // too), so leaving the document asks before it is lost.
    if (!saved)
        s.Source_Changed = true;
    Show_Changed_Mark();
    return saved;
}

void frm_Source::Name_And_Save()
{
    SharedState& s = state();
    frm_Source_Save_As dlg(dialogs::parentWindow());
    dialogs::exec(dlg);
    if (s.Dialog_Cancelled) {
        // An unnamed new page that is not named is abandoned.
        if (rtf_Source->TextLength() == 0 || s.Source_Title.isEmpty())
            Clear_Source();
        return;
    }
    Show_Source_Name(srcdoc::Adjust_Source_Name(s));
    const bool saved = Save_Document();
    Retrieve_HTML_Pages();
    const bool changed = s.Source_Changed;
    Enable_Menus();
    if (!saved) {
        s.Source_Changed = changed;
        Show_Changed_Mark();
    }
}

void frm_Source::Save_Changes()
{
    SharedState& s = state();
    if (s.Source_Title.isEmpty())
        s.Source_Title = QStringLiteral("New File");
    const dialogs::Answer a = dialogs::message(srcdoc::Save_Changes_Question(s.Source_Title),
                                               dialogs::Buttons::YesNo, dialogs::Icon::Exclamation,
                                               srcdoc::kSaveChangesTitle);
    if (a == dialogs::Answer::Yes)
        Save_Document();
}

bool frm_Source::Form_Unload()
{
    SharedState& s = state();
    if (!s.Source_Changed)
        return true;
    // Leaving the program is the one place where the user may still change
    // their mind: the question gets a Cancel; Enter still saves.
    const QString title = s.Source_Title;
    const dialogs::Answer a = dialogs::message(
        srcdoc::Save_Changes_Question(title.isEmpty() ? QStringLiteral("New File") : title),
        dialogs::Buttons::YesNoCancel, dialogs::Icon::Exclamation, srcdoc::kSaveChangesTitle, dialogs::Answer::Yes);
    if (a == dialogs::Answer::Cancel)
        return false;
    if (a == dialogs::Answer::Yes) {
        if (title.isEmpty())
            s.Source_Title = QStringLiteral("New File");
        Save_Document();
        // A save that failed (and said so) must not end the program with the
        // changes gone.
        return !s.Source_Changed;
    }
    return true;
}

void frm_Source::Keep_Unsaved_Changes()
{
    SharedState& s = state();
    if (!s.Source_Changed)
        return;
    if (rtf_Source->SaveFile(srcdoc::Recovery_Path(s.Source_Path, s.Working_Pages_Folder), 0))
        s.Source_Changed = false;
}

void frm_Source::Open_Recovered(const QString& copyPath)
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    if (!rtf_Source->LoadFile(copyPath)) {
        dialogs::message(srcdoc::Not_Opened(copyPath, static_cast<fs::Result>(rtf_Source->lastFileError())),
                         dialogs::Buttons::Ok, dialogs::Icon::Critical, srcdoc::kNotOpenedTitle);
        return;
    }
    s.Source_Title = srcdoc::Recovered_Title(copyPath);
    if (s.Source_Title.isEmpty()) {
        Restore_Document({});
        Show_Source_Name(QString());
    } else {
        Show_Source_Name(srcdoc::Adjust_Source_Name(s));
        srcdoc::Adjust_HTML_Name(s);
    }
    s.Status_Path_Panel.setText(s.Source_Path);
    Enable_Menus();
    s.Source_Changed = true;
    fs::deleteFile(copyPath);
}

void frm_Source::Start_New_Page()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    rtf_Source->setText(QString());
    s.Source_Title.clear();
    s.Source_Path.clear();
    for (const newpage::Choice& c : newpage::Template_Order(s.Working_Pages_Folder, s.Program_Folder)) {
        if (c.source == newpage::Source::BuiltIn) {
            rtf_Source->setText(newpage::Built_In_Page_Text());
            break;
        }
        if (rtf_Source->LoadFile(c.path))
            break;
        // A template that cannot be read: say so, and start from the next one.
        const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
        dialogs::message(srcdoc::Not_Opened(c.path, why), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                         srcdoc::kNotOpenedTitle);
    }
    Show_Source_Name(QString());
    Name_And_Save();
}

void frm_Source::Save_New()
{
    if (!editorUsable() || rtf_Source->TextLength() == 0)
        return;
    const dialogs::Answer a =
        dialogs::message(QStringLiteral("Use this File to Start New Pages?"), dialogs::Buttons::YesNo,
                         dialogs::Icon::Question, QStringLiteral("New Page Template"));
    if (a == dialogs::Answer::No)
        return;
    const QString path = newpage::Working_Template_Path(state().Working_Pages_Folder);
    if (!rtf_Source->SaveFile(path, 0))
        dialogs::message(srcdoc::Template_Not_Saved(path, static_cast<fs::Result>(rtf_Source->lastFileError())),
                         dialogs::Buttons::Ok, dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
}
