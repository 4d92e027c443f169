#include "tags/list_messages.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "tags/tag_list_files.h"

QStringList Read_List_Or_Tell(const QString& path)
{
    QStringList entries;
    const fs::Result r = tag_lists::Read_All(path, entries);
    if (r != fs::Result::Ok && r != fs::Result::NotFound && r != fs::Result::PathNotFound)
        dialogs::message(tag_lists::Read_Failure_Message(path, r), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                         tag_lists::Read_Failure_Title);
    return entries;
}

void Show_List_Not_Saved(const QString& path, fs::Result result)
{
    dialogs::message(tag_lists::Failure_Message(path, result), dialogs::Buttons::Ok,
                     dialogs::Icon::Exclamation, tag_lists::Failure_Title);
}

void Show_Lists_Not_Stored(const QList<tag_lists::Store_Failure>& failures)
{
    dialogs::message(tag_lists::Store_Failure_Message(failures), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                     tag_lists::Failure_Title);
}

bool Working_Folder_Or_Tell()
{
    const SharedState& s = state();
    if (!s.Working_Folder.isEmpty() && !s.Working_Pages_Folder.isEmpty())
        return true;
    dialogs::message(tag_lists::No_Working_Folder_Message, dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                     tag_lists::No_Working_Folder_Title);
    return false;
}
