#include "ui/folder_picker.h"

#include "platform/dialogs.h"
#include "ui/frm_Folder.h"

void Run_Folder_Picker(QWidget* parent, const std::function<void(const QString&)>& folderShown)
{
    frm_Folder picker(parent);
    if (folderShown)
        QObject::connect(&picker, &frm_Folder::folderShown, &picker, folderShown);
    dialogs::exec(picker);
}
