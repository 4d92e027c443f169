#include "site/frm_Delete.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "site/page_pairs.h"
#include "ui/folder_controls.h"
#include "ui/link_updates.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TESK_DEFINE_FORM(frm_Delete, Delete)

frm_Delete::frm_Delete() : PageDialog(pages::kDeleteCaption, 1)
{
    setObjectName(QStringLiteral("frm_Delete"));
    cmd_Delete = new QPushButton(QStringLiteral("&Delete Current File"), this);
    cmd_Delete->setObjectName(QStringLiteral("cmd_Delete"));
    cmd_Delete->setEnabled(false);
    cmd_Delete->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    lbl_Focus->setWordWrap(true);
    Make_Sunken(lbl_Focus);
    Lay_Out(cmd_Delete, lbl_Focus);
    setTabOrder(lst_Html_Pages, cmd_Delete);
    setTabOrder(cmd_Delete, cmd_Exit);
    connect(cmd_Delete, &QPushButton::clicked, this, [this] { Delete_Files(); });
}

void frm_Delete::Open_Dialog()
{
    forms::Delete()->Open();
}

void frm_Delete::Choice_Changed(bool chosen)
{
    cmd_Delete->setEnabled(chosen);
    // What the hint told was about the page deleted before.
    lbl_Focus->clear();
}

frm_Delete::Gone frm_Delete::removeOne(const QString& path)
{
    const QString name = fs::fileName(path);
    fs::Result r = fs::moveToTrash(path);
    Gone gone = Gone::To_Trash;
    if (r == fs::Result::IoError) {
        if (dialogs::message(pages::Delete_For_Good_Question(name), dialogs::Buttons::YesNo,
                             dialogs::Icon::Exclamation, pages::kDeleteTitle, dialogs::Answer::No)
            != dialogs::Answer::Yes)
            return Gone::Stayed;
        r = fs::removeFile(path);
        gone = Gone::For_Good;
    }
    if (r == fs::Result::Ok || r == fs::Result::NotFound)
        return gone;
    dialogs::message(pages::Delete_Failed(name, fs::describe(r)), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                     pages::kDeleteTitle);
    return Gone::Stayed;
}

void frm_Delete::Delete_Files()
{
    if (Source_Title.isEmpty())
        return;
    // Both files are looked at before either goes, so a protected page is
    // never left half deleted.
    if (fs::isReadOnly(Source_Path) || (!HTML_Path.isEmpty() && fs::isReadOnly(HTML_Path))) {
        dialogs::message(pages::kReadOnlyNotDeleted, dialogs::Buttons::Ok, dialogs::Icon::Critical,
                         pages::kProtectedPageTitle);
        return;
    }
    // Pages that link here would break: the user hears which ones first.
    if (!HTML_Path.isEmpty() && !linkui::confirmDelete(HTML_Path, pages::kDeleteTitle))
        return;
    // No other question is asked, so the hint line says where the files went.
    QStringList trashed;
    QStringList deletedForGood;
    for (const QString& path : {Source_Path, HTML_Path}) {
        if (path.isEmpty() || (path == Source_Path && !fs::exists(path)))
            continue;
        const Gone gone = removeOne(path);
        if (gone == Gone::Stayed) {
            lbl_Focus->setText(pages::Deleted_Hint(trashed, deletedForGood));
            return;
        }
        (gone == Gone::To_Trash ? trashed : deletedForGood) << fs::fileName(path);
    }
    const QString deleted = Source_Path;
    emit showPage(state().Help_File);
    emit pageDeleted(deleted);
    delete lst_Html_Pages->takeItem(lst_Html_Pages->currentRow());
    lst_Html_Pages->clearSelection();
    lst_Html_Pages->setCurrentRow(-1);
    lbl_Current_File->clear();
    Forget_Page();
    cmd_Delete->setEnabled(false);
    lbl_Focus->setText(pages::Deleted_Hint(trashed, deletedForGood));
}
