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

protected:
    void Choice_Changed(bool chosen) override;

private:
    // Moves one file to the trash, or deletes it for good once the user
    // agreed; false (after telling the user) when it stays.
    bool removeOne(const QString& path);
};

TESK_DECLARE_FORM(frm_Delete, Delete)
