#pragma once
// The message every window shows when a tag list file cannot be written.

#include "platform/file_system.h"
#include "tags/tag_lists.h"

#include <QString>

// Tells the user that a tag list file could not be written (the entry stays
// in the open lists for this run).
void Show_List_Not_Saved(const QString& path, fs::Result result);
// Reads a tag list file for a window; a file that is there but cannot be
// read (not an ordinary file, far too large, unreadable) is said, once per
// read, and gives no entries. A missing file (or folder) is an empty
// list, silently.
QStringList Read_List_Or_Tell(const QString& path);

// Tells the user which lists the Tag Lists window could not write, in one
// message with the same title.
void Show_Lists_Not_Stored(const QList<tag_lists::Store_Failure>& failures);

// Adding to a site's list needs a site: false, after saying so, when no
// working folder is chosen.
bool Working_Folder_Or_Tell();
