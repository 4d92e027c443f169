#pragma once
// The small list files that keep the pieces of HTML a user builds once and
// inserts many times ("Color.lst", "Image.lst", "URL.lst", "Anchor.lst"), the
// link targets ("Target.lst") and the picture folders of the Images tool
// ("Images, From.lst", "Images, To.lst"). This is the only code that touches
// them; windows call it and decide what to tell the user.
//
// Format of every file: one entry per line, each line (the last one too)
// ended by CR LF; no header, no count, no escaping; empty lines and
// duplicates are entries like any other. Written as UTF-8 without a byte
// order mark; read as UTF-8, or as Windows-1252 when the file is not valid
// UTF-8 (lists written by the older program). A missing file is an empty
// list. A last line without CR LF is still an entry.
//
// The four tag lists exist in two places: the site's "Working-Pages" folder
// and the shared "References" folder beside the program. Nothing here makes
// a folder for a list's sake.

#include "platform/file_system.h"

#include <QString>
#include <QStringList>

namespace tag_lists {

// ---- which file ------------------------------------------------------------
// Kinds are the Tag_Index numbering: 0 colours, 1 images, 2 web links,
// 3 anchors.
constexpr int Kind_Count = 4;
enum class Place { Working, Reference };

// "Color.lst", "Image.lst", "URL.lst", "Anchor.lst"; "" for any other kind.
QString Kind_File_Name(int kind);
extern const QString Target_File_Name;       // "Target.lst"
extern const QString Images_From_File_Name;  // "Images, From.lst"
extern const QString Images_To_File_Name;    // "Images, To.lst"

// name inside folder (a folder path with or without its separator).
QString File_Path(const QString& folder, const QString& name);
// The list of kind in the given folder; "" for an unknown kind or no folder.
QString Kind_Path(const QString& folder, int kind);
// The list of kind at place, from the program's folders (Working_Pages_Folder
// or Reference_Folder); "" when that folder is not set.
QString Kind_Path(int kind, Place place);
// A working-folder list by file name ("" when no working folder is set).
QString Working_Path(const QString& name);

// ---- the four ways a file is touched ------------------------------------------
// Every entry of the file in file order; a missing or unreadable file gives an
// empty list.
QStringList Read_All(const QString& path);
// The same with the outcome (NotFound for a missing file).
fs::Result Read_All(const QString& path, QStringList& entries);
// Adds entry and CR LF at the end of the file, creating it when missing. A
// file whose last line has no CR LF gets one first, so the entry starts a
// line of its own.
fs::Result Append_One(const QString& path, const QString& entry);
// Adds several entries in one write: all of them land or none.
fs::Result Append_Many(const QString& path, const QStringList& entries);
// Replaces the whole file with entries, through a temporary file and a
// rename, so a failed write leaves the previous list as it was. An empty
// list leaves an empty (zero-byte) file.
fs::Result Rewrite_All(const QString& path, const QStringList& entries);
// Removes the file, read-only or not. A file that is not there is no error.
fs::Result Delete(const QString& path);

// ---- rules of the windows that write --------------------------------------------
// The Images tool's folder boxes always start with the site's own picture
// folder: Final_Pages_Folder followed by "Images", without a separator.
QString Site_Images_Item(const QString& finalPagesFolder);
// The items of a folder box: firstItem, then the file's lines.
QStringList Read_Image_Folders(const QString& path, const QString& firstItem);
// Writes items 2 to the last (the first is the site's folder and is never
// written); the file is made anew even when only the first item is held.
// A box with no items at all leaves the file alone.
fs::Result Write_Image_Folders(const QString& path, const QStringList& boxItems);

// A link target typed into a target box.
struct TargetChoice {
    enum Action {
        Select_First,     // nothing to add: select item 0
        Select_Existing,  // an item equals the name: select it (Index)
        Add,              // a new name: append it to the file and the boxes
    };
    Action What = Select_First;
    int Index = 0;
    QString Name;  // the typed text without leading and trailing blanks
};
// items are the box's items in order. noneSelectsFirst: the Images tool,
// where a typed "None" stands for its first item " None". Matching is exact
// and case-sensitive, so "None" never equals " None".
TargetChoice Choose_Target(const QString& typed, const QStringList& items, bool noneSelectsFirst);

// The Images tool adds an anchor name only when it is not empty and no item
// of its anchor box equals it exactly.
bool Is_New_Anchor(const QString& name, const QStringList& boxItems);

// The Source window's tag bars skip what cannot be an entry: every line that
// does not compare greater than a single space in character-code order (an
// empty line, a lone space, a line starting with a tab or another control
// character). A line starting with a space and going on is kept.
bool Is_Toolbar_Entry(const QString& line);

// ---- telling the user ------------------------------------------------------------
// A list that could not be written keeps its entry in memory for this run; the
// window shows this once, with Failure_Title.
extern const QString Failure_Title;  // "TWE - List Not Saved"
QString Failure_Message(const QString& path, fs::Result result);
// A list file that is there but cannot be read gives no entries.
extern const QString Read_Failure_Title;  // "TWE - List Not Read"
QString Read_Failure_Message(const QString& path, fs::Result result);

// The site's lists live in its working folder: with none chosen there is no
// list to add to, and the user is told why.
extern const QString No_Working_Folder_Title;    // "TWE - No Working Folder"
extern const QString No_Working_Folder_Message;

} // namespace tag_lists
