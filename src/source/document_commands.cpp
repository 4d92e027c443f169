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

void frm_Source::Open_Page_At(const QString& pagePath, int line, int column, int length)
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    // The source of about.html is about.rtf, or about.html.rtf; a page made
    // elsewhere opens as itself and gets its source at once.
    const QString source = srcdoc::Source_Of_Page(pagePath, s.Working_Pages_Folder, s.Final_Pages_Folder);
    const Document before = Current_Document();
    s.Source_Path = source.isEmpty() ? pagePath : source;
    s.Source_Title = source.isEmpty() ? fs::fileName(pagePath) : srcdoc::Current_Name(fs::fileName(source));
    Open_Finish(before);
    const QString text = rtf_Source->Text();
    int at = 0;
    for (int l = 1; l < line && at >= 0; ++l) {
        at = int(text.indexOf(QStringLiteral("\r\n"), at));
        at = at < 0 ? -1 : at + 2;
    }
    if (at < 0)
        return;
    rtf_Source->setSelStart(at + column - 1);
    rtf_Source->setSelLength(length);
    focusEditor();
}

void frm_Source::Go_To(int line, int column, int length)
{
    const QString text = rtf_Source->Text();
    qsizetype at = 0;
    for (int l = 1; l < line && at >= 0; ++l) {
        at = text.indexOf(QStringLiteral("\r\n"), at);
        at = at < 0 ? -1 : at + 2;
    }
    if (at < 0)
        return;
    rtf_Source->setSelStart(int(qMin(at + column - 1, text.size())));
    rtf_Source->setSelLength(length);
    focusEditor();
}

void frm_Source::Open_File(const QString& chosenPath)
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    const QString path = chosenPath.isEmpty() ? Choose_File_To_Open() : chosenPath;
    if (path.isEmpty())
        return;
    const Document before = Current_Document();
    s.Source_Path = path;
    s.Source_Title = fs::fileName(path);
    s.Source_Folder = fs::withSeparator(fs::parentFolder(path));
    Open_Finish(before);
}

QString frm_Source::Choose_File_To_Open()
{
    SharedState& s = state();
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
    return dialogs::fileDialog(r).path;
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
                            dialogs::Icon::Exclamation, srcdoc::kOpenReplaceTitle, dialogs::Answer::No)
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
    Record_Disk();
    // The save below may write over the opened file itself; what it would
    // change is kept beside it first. Left alone instead, the open would
    // stop short of its save and leave a page without its page file.
    const QString rewritten =
        srcdoc::Open_Would_Rewrite(opened, target, [this] { return fs::encodeText(rtf_Source->Text()); });
    QString original;
    if (!rewritten.isEmpty()) {
        fs::Result why = fs::Result::Ok;
        original = srcdoc::Keep_Original(rewritten, why);
        if (original.isEmpty()) {
            // No copy, no save: the file stays as it was until the user
            // saves, and leaving asks first.
            dialogs::message(srcdoc::Original_Not_Kept(rewritten, why), dialogs::Buttons::Ok,
                             dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
            srcdoc::Adjust_HTML_Name(s);
            s.Status_Path_Panel.setText(s.Source_Path);
            Enable_Menus();
            Retrieve_HTML_Pages();
            s.Source_Changed = true;
            Show_Changed_Mark();
            return;
        }
    }
    // A protected source opened where it lies is on disk as the editor
    // shows it: nothing is lost by leaving it.
    if (!Save_Document() && loadedFrom == s.Source_Path) {
        s.Source_Changed = false;
        Show_Changed_Mark();
    }
    if (!original.isEmpty()) {
        // Not written over after all (a protected file): the copy would
        // only be a second one of a file still there.
        QByteArray now, kept;
        if (fs::readBytes(rewritten, now) == fs::Result::Ok && fs::readBytes(original, kept) == fs::Result::Ok
            && now == kept)
            fs::deleteFile(original);
        else
            dialogs::message(srcdoc::Original_Kept(rewritten, original), dialogs::Buttons::Ok,
                             dialogs::Icon::Information, srcdoc::kOriginalKeptTitle);
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
    if (!Overwrite_Outside_Changes())
        return false;
    const bool saved = rtf_Source->SaveFile(s.Source_Path, 0);
    const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
    if (!saved) {
        if (why == fs::Result::PermissionDenied && srcdoc::Refused_By_Folder(s.Source_Path))
            dialogs::message(srcdoc::Read_Only_Folder_Message(fs::parentFolder(s.Source_Path)),
                             dialogs::Buttons::Ok, dialogs::Icon::Critical, srcdoc::kReadOnlyFolderTitle);
        else if (why == fs::Result::PermissionDenied)
            dialogs::message(srcdoc::kReadOnlyMessage, dialogs::Buttons::Ok, dialogs::Icon::Critical,
                             srcdoc::kReadOnlyTitle);
        else
            dialogs::message(srcdoc::Source_Not_Saved(s.Source_Path, why), dialogs::Buttons::Ok,
                             dialogs::Icon::Critical, srcdoc::kNotSavedTitle);
    }
    // The page of this document, whether or not it is written now: the
    // browser shows it either way.
    srcdoc::Adjust_HTML_Name(s);
    // A page the user protected is left as it is; any other page not
    // written keeps the document marked, so the next save tries it again.
    bool pageMissed = false;
    if (saved && !rtf_Source->SaveFile(s.HTML_Path, 1)) {
        const auto pageWhy = static_cast<fs::Result>(rtf_Source->lastFileError());
        pageMissed = pageWhy != fs::Result::PermissionDenied;
        dialogs::message(srcdoc::Page_Not_Saved(s.HTML_Path, pageWhy), dialogs::Buttons::Ok,
                         dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
    }
    Record_Disk();
    emit showPage(s.HTML_Path);
    s.Status_Path_Panel.setText(s.Source_Path);
    Enable_Menus();
    // Text that is not on disk stays marked as changed (a protected page
    // too), so leaving the document asks before it is lost.
    if (!saved || pageMissed)
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
    Save_Document();
    Retrieve_HTML_Pages();
    const bool notAllWritten = s.Source_Changed;
    Enable_Menus();
    if (notAllWritten) {
        s.Source_Changed = true;
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
    Record_Disk();
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
    disk_ = {};
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
    const QString path = newpage::Working_Template_Path(state().Working_Pages_Folder);
    // Yes replaces the site's template when there is one: Enter keeps it.
    const dialogs::Answer a =
        dialogs::message(QStringLiteral("Use this File to Start New Pages?"), dialogs::Buttons::YesNo,
                         dialogs::Icon::Question, QStringLiteral("New Page Template"),
                         fs::exists(path) ? std::optional(dialogs::Answer::No) : std::nullopt);
    if (a == dialogs::Answer::No)
        return;
    if (!rtf_Source->SaveFile(path, 0))
        dialogs::message(srcdoc::Template_Not_Saved(path, static_cast<fs::Result>(rtf_Source->lastFileError())),
                         dialogs::Buttons::Ok, dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
}

// ---- changes made on disk by others -------------------------------------------

QString frm_Source::Page_Of_Document() const
{
    const SharedState& s = state();
    return srcdoc::Page_Path(s.HTML_Name, s.Final_Pages_Folder);
}

void frm_Source::Record_Disk()
{
    disk_ = srcdoc::Record_Disk(state().Source_Path, Page_Of_Document());
}

dialogs::Answer frm_Source::Ask_About_Outside_Change(const QString& path)
{
    // No is the answer that keeps the disk's version, so it is the one Enter
    // gives.
    const dialogs::Answer a =
        dialogs::message(srcdoc::Changed_On_Disk_Question(fs::fileName(path)), dialogs::Buttons::YesNoCancel,
                         dialogs::Icon::Exclamation, srcdoc::kChangedOnDiskTitle, dialogs::Answer::No);
    if (a == dialogs::Answer::Cancel)
        declined_ = srcdoc::Record_Disk(state().Source_Path, Page_Of_Document());
    return a;
}

bool frm_Source::Overwrite_Outside_Changes()
{
    const QString changed = srcdoc::Changed_On_Disk(disk_, state().Source_Path, Page_Of_Document());
    if (changed.isEmpty())
        return true;
    switch (Ask_About_Outside_Change(changed)) {
    case dialogs::Answer::Yes: return true;
    case dialogs::Answer::No: Reload_From_Disk(changed); return false;
    default: return false;
    }
}

bool frm_Source::Reload_From_Disk(const QString& path)
{
    SharedState& s = state();
    const int caret = rtf_Source->SelStart();
    if (!rtf_Source->LoadFile(path)) {
        dialogs::message(srcdoc::Not_Opened(path, static_cast<fs::Result>(rtf_Source->lastFileError())),
                         dialogs::Buttons::Ok, dialogs::Icon::Critical, srcdoc::kNotOpenedTitle);
        return false;
    }
    rtf_Source->setSelStart(std::min(caret, rtf_Source->TextLength()));
    Record_Disk();
    // A page changed alone brings text its source does not hold yet: it
    // stays to be saved.
    s.Source_Changed = path != s.Source_Path;
    Show_Changed_Mark();
    return true;
}

void frm_Source::Program_Activated()
{
    SharedState& s = state();
    if (checkingDisk_ || !editorUsable() || s.Source_Path.isEmpty())
        return;
    const QString changed = srcdoc::Changed_On_Disk(disk_, s.Source_Path, Page_Of_Document());
    if (changed.isEmpty())
        return;
    if (!s.Source_Changed) {
        Reload_From_Disk(changed);
        return;
    }
    // Edits on both sides: asked once per change; a save still asks.
    if (srcdoc::Record_Disk(s.Source_Path, Page_Of_Document()) == declined_)
        return;
    checkingDisk_ = true;
    switch (Ask_About_Outside_Change(changed)) {
    case dialogs::Answer::Yes:
        Record_Disk();
        Save_Document();
        break;
    case dialogs::Answer::No: Reload_From_Disk(changed); break;
    default: break;
    }
    checkingDisk_ = false;
}
