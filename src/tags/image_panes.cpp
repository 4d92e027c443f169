// The Images tool's two picture panes: the folder boxes and their list
// files, the file lists, and copying, renaming and deleting pictures.

#include "tags/frm_Images.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "tags/image_folders.h"
#include "tags/list_messages.h"
#include "tags/tag_list_files.h"
#include "ui/folder_picker.h"
#include "ui/link_updates.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

using namespace image_folders;

namespace {

QStringList items(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

void tell(const QString& text, dialogs::Icon icon, const QString& title)
{
    dialogs::message(text, dialogs::Buttons::Ok, icon, title);
}

} // namespace

// ---- folders ----------------------------------------------------------------------------

void frm_Images::Retrieve_Image_Files()
{
    const SharedState& s = state();
    const QString siteImages = s.Final_Pages_Folder.isEmpty() ? QString() : tag_lists::Site_Images_Item(s.Final_Pages_Folder);
    for (int p = 0; p < 2; ++p) {
        QComboBox* box = cbo_Folders[p];
        const int previous = box->currentIndex();
        const QStringList folders = tag_lists::Read_Image_Folders(tag_lists::Working_Path(List_File_Name(p)), siteImages);
        box->clear();
        box->addItems(folders);
        box->setCurrentIndex(Kept_Index(previous, box->count()));
        Select_Folder(p);
    }
    Retrieve_HTML_Pages();
}

void frm_Images::Store_Image_Files()
{
    for (int p = 0; p < 2; ++p) {
        const QString path = tag_lists::Working_Path(List_File_Name(p));
        if (path.isEmpty())
            continue;
        if (const fs::Result r = tag_lists::Write_Image_Folders(path, items(cbo_Folders[p])); r != fs::Result::Ok)
            Show_List_Not_Saved(path, r);
    }
}

void frm_Images::Add_Folder_to_List()
{
    const int pane = Image_Side;
    // The pane's list follows the picker's tree, so the user sees each
    // folder's pictures while choosing.
    Run_Folder_Picker(dialogs::parentWindow() ? dialogs::parentWindow() : window(), [this](const QString& path) {
        if (Image_Side == 0 || Image_Side == 1)
            Show_Files(Image_Side, path);
    });
    Image_Side = pane;
    if (!state().Selected_Folder.isEmpty())
        Folder_to_Add();
    Select_Folder();
}

void frm_Images::Folder_to_Add()
{
    QComboBox* box = cbo_Folders[Image_Side];
    const QString folder = state().Selected_Folder;
    if (Listed_Index(items(box), folder) >= 0)
        return;
    box->addItem(folder);
    box->setCurrentIndex(box->count() - 1);
    Store_Image_Files();
}

void frm_Images::Remove_Folder()
{
    Remove_Folder(Image_Side);
}

void frm_Images::Remove_Folder(int pane)
{
    QComboBox* box = cbo_Folders[pane];
    if (box->currentIndex() < 1)
        return;
    box->removeItem(box->currentIndex());
    box->setCurrentIndex(0);
    Store_Image_Files();
    Select_Folder(pane);
}

void frm_Images::Select_Folder()
{
    Select_Folder(Image_Side);
}

void frm_Images::Select_Folder(int pane)
{
    QComboBox* box = cbo_Folders[pane];
    const int index = box->currentIndex();
    cmd_Delete[pane]->setVisible(index >= 1);
    const QString folder = box->currentText();
    box->setToolTip(folder);  // a long path does not fit the box
    const Folder_State st = Check_Folder(folder);
    Show_Files(pane, st == Folder_State::Shown ? folder : QString());
    if (pane == 1)
        Copy_Button_On();
    if (st == Folder_State::Shown)
        return;
    // Told only while the user can see the tool.
    if (isVisible())
        tell(Folder_Message(folder, st), dialogs::Icon::Exclamation, QStringLiteral("Select Folder"));
    if (index < 1)
        return;
    if (st == Folder_State::Not_Found) {
        Remove_Folder(pane);
    } else {
        box->setCurrentIndex(0);
        Select_Folder(pane);
    }
}

void frm_Images::Show_Files(int pane, const QString& folder)
{
    QListWidget* list = fil_Image[pane];
    const QString kept = list->currentItem() && list->currentItem()->isSelected() ? list->currentItem()->text() : QString();
    shownFolder_[pane] = folder;
    const QStringList names = folder.isEmpty() ? QStringList()
                                               : Picture_Files(folder, File_Pattern(state().Image_Pattern));
    {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(names);
        const qsizetype at = kept.isEmpty() ? -1 : names.indexOf(kept);
        if (at >= 0)
            list->setCurrentRow(int(at));
        else
            list->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
    if (pane == 1)
        Show_To_Bar();
}

void frm_Images::Refresh_Lists()
{
    for (int p = 0; p < 2; ++p)
        Show_Files(p, shownFolder_[p]);
}

// ---- copy, rename, delete ---------------------------------------------------------------------

void frm_Images::Copy_Button_On()
{
    tb_Copy->setVisible(!Image_Path.isEmpty() && cbo_Folders[1]->currentIndex() >= 0);
    // Copying is for a picture from the "From" pane, wherever the last
    // folder action happened.
    cmd_Copy->setVisible(pictureSide_ == 0);
}

QString frm_Images::Selected_To_File() const
{
    const QListWidgetItem* item = fil_Image[1]->currentItem();
    if (!item || !item->isSelected() || shownFolder_[1].isEmpty())
        return QString();
    return Target_Path(shownFolder_[1], item->text());
}

void frm_Images::Show_To_Bar()
{
    const bool on = !Selected_To_File().isEmpty() || txt_Rename->isVisible();
    tb_To->setVisible(on);
}

void frm_Images::Copy_Image()
{
    if (Image_Path.isEmpty() || cbo_Folders[1]->currentIndex() < 0 || shownFolder_[1].isEmpty())
        return;
    const QString target = Target_Path(shownFolder_[1], Image_Name);
    switch (Check_Copy(Image_Path, target)) {
    case Copy_Check::Same_File:
        tell(Same_File_Message(Image_Path), dialogs::Icon::Exclamation, Copy_Title);
        return;
    case Copy_Check::Protected:
        tell(Protected_Message(Image_Name, QStringLiteral("Replaced")), dialogs::Icon::Critical, Protected_Title);
        return;
    case Copy_Check::Ask:
        if (dialogs::message(Exists_Message, dialogs::Buttons::YesNo, dialogs::Icon::Exclamation, Exists_Title,
                             dialogs::Answer::No)
            != dialogs::Answer::Yes)
            return;
        break;
    case Copy_Check::Copy:
        break;
    }
    if (fs::copyFile(Image_Path, target, true) != fs::Result::Ok)
        tell(Not_Available_Message(Image_Path), dialogs::Icon::Exclamation, Copy_Title);
    Show_Files(1, shownFolder_[1]);
}

void frm_Images::Select_to_Rename()
{
    const QString file = Selected_To_File();
    if (file.isEmpty())
        return;
    renameFrom_ = file;
    const QString name = fs::fileName(file);
    cmd_Rename->hide();
    cmd_Clipboard->hide();
    txt_Rename->setText(name);
    txt_Rename->show();
    txt_Rename->setFocus(Qt::OtherFocusReason);
    // The name without its extension is what the user changes.
    txt_Rename->setSelection(0, int(name.contains(QLatin1Char('.')) ? fs::baseName(name).size() : name.size()));
}

void frm_Images::Rename_Image()
{
    if (!txt_Rename->isVisible())
        return;
    const QString typed = txt_Rename->text();
    const QString from = renameFrom_;
    renameFrom_.clear();
    txt_Rename->hide();
    cmd_Rename->show();
    cmd_Clipboard->show();
    if (typed.isEmpty() || from.isEmpty() || !fs::fileExists(from))
        return;
    const QString oldName = fs::fileName(from);
    const New_Name n = Rename_To(typed, oldName);
    if (n.What == New_Name::Nothing)
        return;
    if (n.What == New_Name::Refused) {
        tell(Name_Message(typed, n.Reason), dialogs::Icon::Exclamation, Name_Title);
        return;
    }
    if (fs::isReadOnly(from)) {
        tell(Protected_Message(oldName, QStringLiteral("Renamed")), dialogs::Icon::Critical, Protected_Title);
        fil_Image[1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString to = Target_Path(fs::parentFolder(from), n.Name);
    const bool current = from == Image_Path || fs::sameFile(from, Image_Path);
    const bool replacingCurrent = !current && (to == Image_Path || fs::sameFile(to, Image_Path));
    if (fs::fileExists(to)) {
        if (dialogs::message(Exists_Message, dialogs::Buttons::YesNo, dialogs::Icon::Exclamation, Exists_Title,
                             dialogs::Answer::No)
            != dialogs::Answer::Yes)
            return;
        if (fs::isReadOnly(to)) {
            tell(Protected_Message(n.Name, QStringLiteral("Replaced")), dialogs::Icon::Critical, Protected_Title);
            return;
        }
        // The picture replaced can still be got back from the trash.
        if (fs::moveToTrash(to) != fs::Result::Ok && fs::deleteFile(to) != fs::Result::Ok) {
            tell(Protected_Message(n.Name, QStringLiteral("Replaced")), dialogs::Icon::Critical, Protected_Title);
            return;
        }
    }
    // The pages that show the picture follow its new name when the user says so.
    const linkui::Renamed done = linkui::renameWithLinks({{from, to}}, QStringLiteral("Rename Image"));
    if (done.outcome == linkui::Renamed::Outcome::Cancelled)
        return;
    if (done.outcome == linkui::Renamed::Outcome::Failed) {
        tell(done.linkUpdate ? linkui::updateFailed(done) : Rename_Failed_Message(oldName, done.why),
             dialogs::Icon::Exclamation, QStringLiteral("Rename Image"));
        return;
    }
    if (current) {
        Image_Path = to;
        Image_Name = n.Name;
        lbl_Image_Name->setText(Image_Name);
        Display_Image_Tag();
    } else if (replacingCurrent) {
        Clear_Picture();
    }
    Refresh_Lists();
    const QList<QListWidgetItem*> found = fil_Image[1]->findItems(n.Name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) {
        const QSignalBlocker block(fil_Image[1]);
        fil_Image[1]->setCurrentItem(found.first());
    }
    Show_To_Bar();
    fil_Image[1]->setFocus(Qt::OtherFocusReason);
}

void frm_Images::Delete_Image()
{
    const QString file = Selected_To_File();
    if (file.isEmpty())
        return;
    const QString name = fs::fileName(file);
    const bool current = file == Image_Path || fs::sameFile(file, Image_Path);
    if (fs::fileExists(file)) {
        if (fs::isReadOnly(file)) {
            tell(Protected_Message(name, QStringLiteral("Deleted")), dialogs::Icon::Critical, Protected_Title);
            return;
        }
        if (!linkui::confirmDelete(file, Delete_Title))
            return;
        fs::Result r = fs::moveToTrash(file);
        if (r == fs::Result::IoError) {
            if (dialogs::message(Delete_For_Good_Message(name), dialogs::Buttons::YesNo, dialogs::Icon::Exclamation,
                                 Delete_Title, dialogs::Answer::No)
                != dialogs::Answer::Yes)
                return;
            r = fs::deleteFile(file);
        }
        if (r == fs::Result::PermissionDenied) {
            tell(Protected_Message(name, QStringLiteral("Deleted")), dialogs::Icon::Critical, Protected_Title);
            return;
        }
    }
    if (current)
        Clear_Picture();
    Refresh_Lists();
    // The button hides with the selection; the focus stays in the list.
    fil_Image[1]->setFocus(Qt::OtherFocusReason);
}
