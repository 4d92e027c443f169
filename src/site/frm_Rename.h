#pragma once
// "Rename Pages": gives a page of the site, its source and its page file, a
// new name. The page file keeps its extension ("about.htm" renamed to
// "contact" is "contact.htm").

#include "site/page_dialog.h"
#include "ui/forms.h"

class QLineEdit;

class frm_Rename : public PageDialog {
    Q_OBJECT
public:
    frm_Rename();
    void Form_Load() { Form_Load_Frame(); }

    // Source > Rename Pages.
    static void Open_Dialog();

    void Select_to_Rename();
    void Rename_Current_File();
    void End_Rename() { End(); }

    QPushButton* cmd_Rename = nullptr;
    QLineEdit* txt_Rename = nullptr;
    // Why a typed name cannot be used; shown under the box.
    QLabel* lbl_Rename_Hint = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Before_End() override;

private:
    void closeBox();
    // Makes room for the new name: an existing page of that name goes to the
    // trash once the user agreed. False when the rename cannot go on.
    bool replaceExisting(const QString& name, const QStringList& targets);
    void tell(const QString& text, const QString& title);

    bool renaming_ = false;  // a rename (and its messages) is under way
    // The page the box was opened for: a click in the list while the box is
    // open chooses another page before the box's rename runs.
    QString boxTitle_, boxSource_, boxPage_;
};

TESK_DECLARE_FORM(frm_Rename, Rename)
