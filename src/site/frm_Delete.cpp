#include "site/frm_Delete.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "site/page_pairs.h"

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
    Lay_Out(cmd_Delete);
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
}

bool frm_Delete::removeOne(const QString& path)
{
    const QString name = fs::fileName(path);
    fs::Result r = fs::moveToTrash(path);
    if (r == fs::Result::IoError) {
        if (dialogs::message(pages::Delete_For_Good_Question(name), dialogs::Buttons::YesNo,
                             dialogs::Icon::Exclamation, pages::kDeleteTitle)
            != dialogs::Answer::Yes)
            return false;
        r = fs::removeFile(path);
    }
    if (r == fs::Result::Ok || r == fs::Result::NotFound)
        return true;
    dialogs::message(pages::Delete_Failed(name, fs::describe(r)), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                     pages::kDeleteTitle);
    return false;
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
    if (fs::exists(Source_Path) && !removeOne(Source_Path))
        return;
    if (!HTML_Path.isEmpty() && !removeOne(HTML_Path))
        return;
    const QString deleted = Source_Path;
    emit showPage(state().Help_File);
    emit pageDeleted(deleted);
    delete lst_Html_Pages->takeItem(lst_Html_Pages->currentRow());
    lst_Html_Pages->clearSelection();
    lst_Html_Pages->setCurrentRow(-1);
    lbl_Current_File->clear();
    Forget_Page();
    cmd_Delete->setEnabled(false);
}
