#pragma once
// "Copy Folders & Files": copies a folder's whole contents, or chosen files,
// from the "From" side to the "To" side, and deletes chosen files on the "To"
// side. Each side has a drive list, a folder tree, a file list with its
// pattern, and the name and date of the file last clicked. Shown in the
// dialog manner (tool windows hidden, menus disabled).

#include "site/copy_plan.h"
#include "ui/folder_controls.h"
#include "ui/forms.h"
#include "ui/tool_window.h"

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frm_Copy : public ToolWindow {
    Q_OBJECT
public:
    frm_Copy();
    void Form_Load();

    // File > Copy Folders and Files: both sides on the working folder.
    static void Open_Dialog();
    void Prepare();

    void Text_File_Ext(int side);
    void Create_New_Folder();
    void Select_Working_Folder(int side);
    void Select_Program_Folder(int side);
    void Clear_File_Info();
    void Date_Last_Modified(int side);
    void Copy_Folder();
    void Copy_Files();
    void Delete_File();
    void Close_Form();

    void closeRequested() override;

    // ---- controls, index 0 "From", 1 "To" -----------------------------------
    std::array<QGroupBox*, 2> fra_Side{};
    std::array<DriveList*, 2> drv_Folder{};
    std::array<FolderTree*, 2> dir_Folder{};
    std::array<QListWidget*, 2> fil_Files{};
    std::array<QLineEdit*, 2> txt_Text_Ext{};
    std::array<QLabel*, 2> lbl_Folder{};
    std::array<QLabel*, 2> lbl_Name{};
    std::array<QLabel*, 2> lbl_Date{};
    std::array<QPushButton*, 2> cmd_WF{};
    std::array<QPushButton*, 2> cmd_RF{};
    QLineEdit* txt_New_Folder = nullptr;
    QPushButton* cmd_Copy_Folder = nullptr;
    QPushButton* cmd_Copy_Files = nullptr;
    QPushButton* cmd_Delete = nullptr;
    QPushButton* cmd_Close = nullptr;
    QLabel* lbl_Focus = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildSide(int side);
    void pointSideAt(int side, const QString& folder);
    void folderChanged(int side);
    void fileClicked(int side);
    void refreshFiles(int side);
    // The answer for an existing target (its path below the To folder), with
    // this dialog out of the way.
    copying::Answer askReplace(const QString& relative);
    // Both folders are still on the disk; else says which one is gone.
    bool foldersStillThere(const QString& title);
    // Takes out of entries (paths below target) the files that cannot be
    // written, after naming them and asking whether to copy the rest; false
    // when the user stops, or when nothing is left to copy.
    bool leaveOutUnwritable(const QString& target, QStringList& entries,
                            const std::function<bool(const QString&)>& isFolder, const QString& title);
    // Copies one file or link; false (after telling the user) when it failed.
    bool copyOne(const QString& from, const QString& to, bool link);

    FolderDialogParts box_;
    std::array<QString, 2> pattern_{QStringLiteral("*.*"), QStringLiteral("*.*")};
    bool shown_ = false;
};

TESK_DECLARE_FORM(frm_Copy, Copy)
