#pragma once
// "Open Source File": the sources of Working-Pages to open (Open Plus).
//
//     frm_Source_Open dlg(parent);
//     dialogs::exec(dlg);
//     // completed: Dialog_Cancelled False, Source_Title = the entry (no
//     // ".rtf"), Source_Path = Working-Pages & entry & ".rtf".

#include "source/name_dialog.h"

class QListWidget;
class QPushButton;

class frm_Source_Open : public NameDialog {
    Q_OBJECT
public:
    explicit frm_Source_Open(QWidget* parent = nullptr);

    // Fills the list and selects the current document's entry.
    void Form_Load();
    // The open button or a double click: opens the selected entry; with none
    // selected the dialog stays open.
    void Complete_Open();

    QListWidget* lst_Html_Pages = nullptr;
    QPushButton* cmd_Open = nullptr;
};
