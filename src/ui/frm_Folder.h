#pragma once
// "Add Folder to List": the folder picker the Images tool opens to choose a
// picture folder. It runs modally through dialogs::exec:
//
//     state().Selected_Folder = QString();      // or the folder to start in
//     frm_Folder picker(parentWindow);
//     QObject::connect(&picker, &frm_Folder::folderShown, ...);  // optional
//     dialogs::exec(picker);
//     if (!state().Selected_Folder.isEmpty()) ...
//
// "&Add Current Folder to List" leaves the folder shown in Selected_Folder;
// "&X" leaves Selected_Folder as it was.

#include "ui/folder_controls.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frm_Folder : public QDialog {
    Q_OBJECT
public:
    explicit frm_Folder(QWidget* parent = nullptr);

    // Start folder (Selected_Folder, else the working folder), drive, tree.
    void Form_Load();
    // Keeps the help window clear of the picker.
    void Form_Activate();
    void Create_New_Folder();

    // ---- controls --------------------------------------------------------
    QLineEdit* txt_New_Folder = nullptr;
    DriveList* drv_Folder = nullptr;
    FolderTree* dir_Folder = nullptr;
    QLabel* lbl_cur_Folder = nullptr;
    QPushButton* cmd_Add = nullptr;
    QPushButton* cmd_Exit = nullptr;
    QLabel* lbl_Focus = nullptr;

signals:
    // The tree moved to another folder. The Images tool points the file list
    // of its current pane here, so the user sees the folder's pictures while
    // choosing.
    void folderShown(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();

    FolderDialogParts box_;
    bool loaded_ = false;     // control events count once the picker is set up
    bool activated_ = false;
};
