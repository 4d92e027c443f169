#include "tags/list_messages.h"

#include "platform/dialogs.h"
#include "tags/tag_list_files.h"

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
