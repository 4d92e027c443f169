#pragma once
// "Delete Pages": removes a page of the site, its source and its page file,
// to the desktop's trash.

#include "site/page_dialog.h"
#include "ui/forms.h"

class frm_Delete : public PageDialog {
    Q_OBJECT
public:
    frm_Delete();
    void Form_Load() { Form_Load_Frame(); }

    // Source > Delete Pages.
    static void Open_Dialog();

    void Delete_Files();
    void End_Delete() { End(); }

    QPushButton* cmd_Delete = nullptr;
    // Says where the last page deleted went.
    QLabel* lbl_Focus = nullptr;

protected:
    void Choice_Changed(bool chosen) override;

private:
    enum class Gone { Stayed, To_Trash, For_Good };
    // Moves one file to the trash, or deletes it for good once the user
    // agreed; Stayed (after telling the user) when it is still there.
    Gone removeOne(const QString& path);
};

TESK_DECLARE_FORM(frm_Delete, Delete)
