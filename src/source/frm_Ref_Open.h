#pragma once
// "Open Reference File": the reference sources beside the program, the last
// one chosen preselected.
//
//     frm_Ref_Open dlg(parent);
//     dialogs::exec(dlg);
//     // completed: Dialog_Cancelled False, Reference_Name = the entry.

#include "source/name_dialog.h"

class QListWidget;
class QPushButton;

class frm_Ref_Open : public NameDialog {
    Q_OBJECT
public:
    explicit frm_Ref_Open(QWidget* parent = nullptr);

    void Form_Load();
    // The open button or a double click; with nothing selected nothing happens.
    void Complete_Open();

    QListWidget* lst_Ref_Pages = nullptr;
    QPushButton* cmd_Open = nullptr;
};
