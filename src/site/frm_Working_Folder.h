#pragma once
// The "Working Folder" dialog: choose the folder a site lives in, make a new
// one, remember folders in "Folder.lst". Shown inside the main window with the
// tool windows hidden and the menus disabled; every way out of it gives the
// main window back.

#include "ui/forms.h"
#include "ui/tool_window.h"
#include "ui/folder_controls.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frm_Working_Folder : public ToolWindow {
    Q_OBJECT
public:
    frm_Working_Folder();
    void Form_Load();

    // File > Working Folder: prepare, show in the dialog manner, activate.
    static void Open_Dialog();

    // Start folder, drive and tree (each time the dialog opens).
    void Prepare();
    // Placement, the remembered folders, focus on the drive list.
    void Form_Activate();

    void Retrieve_Folders();
    void Find_Folder();
    // Selects the entry of the folder shown (path; "" for none) and shows the
    // Add or the Delete button.
    void Show_Folder_Name(const QString& path);
    void Folder_Selected();
    void Add_Folder_to_List();
    void Delete_Folder_from_List();
    void Create_New_Folder();
    void Select_Working_Folder();
    // Makes folder the working folder (laid out as a site first), as OK
    // does; the dialog closes when it is open. Also used for a page opened
    // from outside that lies in another site.
    void Change_Working_Folder(const QString& folder);
    // Closes the dialog without changing anything (Cancel, X, the frame's
    // close button).
    void Close_Form();

    void closeRequested() override;
    bool windowKey(int keyCode, int shift) override;

    // ---- controls --------------------------------------------------------
    QGroupBox* fra_New_Folder = nullptr;
    QLineEdit* txt_New_Folder = nullptr;
    QGroupBox* fra_List = nullptr;
    QComboBox* cbo_List = nullptr;
    std::array<QPushButton*, 2> cmd_List{};
    QPushButton* cmd_App = nullptr;
    QGroupBox* fra_Folder = nullptr;
    FolderTree* dir_Folder = nullptr;
    DriveList* drv_Folder = nullptr;
    QGroupBox* fra_Note = nullptr;
    QLabel* lbl_cur_Folder = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QPushButton* cmd_Close = nullptr;
    QLabel* lbl_Focus = nullptr;

signals:
    // The working folder is about to change: unsaved edits of the old site
    // must be saved (or let go) now, while its folders are still current.
    void aboutToChangeFolder();
    // The working folder is now another folder: the open windows show the
    // new site.
    void workingFolderChanged();
    // The dialog closed (by any route); the browser shows the help page again.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void folderChanged();
    void listSelected(int line);
    void selectLine(int line);
    void finishClose();

    FolderDialogParts box_;
    bool shown_ = false;      // the dialog is open: control events count
    bool selecting_ = false;  // the list's selection is being set by the dialog itself
};

TESK_DECLARE_FORM(frm_Working_Folder, Working_Folder)
