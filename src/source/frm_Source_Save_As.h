#pragma once
// "Save Source File": the name to save the document under.
//
//     frm_Source_Save_As dlg(parent);
//     dialogs::exec(dlg);
//     // completed: Dialog_Cancelled False, Source_Title = the name typed
//     // (the name rules then strip a ".rtf" and add it again).
//
// A name is refused, with a message, when it is empty or holds a path
// separator or a character the file systems forbid; a name that would
// replace a listed source ("page" or "page.rtf" when page is listed) asks
// first. Both keep the dialog open.

#include "source/name_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frm_Source_Save_As : public NameDialog {
    Q_OBJECT
public:
    explicit frm_Source_Save_As(QWidget* parent = nullptr);

    void Form_Load();
    // The save button: checks the name, asks before replacing, closes.
    void Complete_Save_As();

    QLabel* lbl_Name = nullptr;
    QLineEdit* txt_Save_As = nullptr;
    QListWidget* lst_Html_Pages = nullptr;
    QPushButton* cmd_Save_As = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList names_;
};
