#pragma once
// The rules behind the Images tool's two picture panes ("From" and "To"):
// which files a list shows, which item a folder box keeps after a refill,
// whether a folder is added, what a typed new name becomes, and what a copy,
// rename or delete may do. The window asks and acts; nothing here shows
// anything. The only file work is looking at the disk (existence, the
// read-only bit, whether two paths are one file) through platform/file_system.

#include <QString>
#include <QStringList>

namespace image_folders {

// The pattern the file lists use when the settings give none.
extern const QString Default_Pattern;  // "*.gif;*.bmp;*.jpg;*.jpeg;*.png;*.webp;*.svg"
QString File_Pattern(const QString& imagePattern);

// The picture files directly in folder that match pattern, in name order.
QStringList Picture_Files(const QString& folder, const QString& pattern);

// The index a refilled box selects: the previous one while it still exists,
// else the first item.
int Kept_Index(int previous, int count);

// Where folder already stands in a folder box, from item 1 on (item 0, the
// site's own folder, is never compared); -1 when it is not listed.
int Listed_Index(const QStringList& boxItems, const QString& folder);

// The items of the "From" (pane 0) or "To" (pane 1) folder box of a site.
QString List_File_Name(int pane);  // "Images, From.lst" / "Images, To.lst"

// What showing a pane's folder found.
enum class Folder_State {
    Shown,        // the folder exists and can be listed (or the item is empty)
    Not_Found,    // "No Longer Exists": the folder is removed from its box
    Unavailable,  // "Is Not Available": the box goes back to item 0
};
Folder_State Check_Folder(const QString& folder);
// "<folder>\r\nNo Longer Exists" / "<folder>\r\nIs Not Available"
QString Folder_Message(const QString& folder, Folder_State s);

// ---- a new name typed for a "To" picture ---------------------------------------------
struct New_Name {
    enum Outcome {
        Nothing,  // empty, or the same name but for letter case
        Refused,  // Reason says why
        Rename,   // Name is the new file name
    };
    Outcome What = Nothing;
    QString Name;
    QString Reason;
};
// The typed text without a trailing "." and the old extension (in any letter
// case), then the old extension: the user cannot change the extension, and
// every other dot stays part of the name. A name holding a folder separator, a
// character that a file system on Windows or Linux refuses, or an empty base
// name is refused, so a rename never moves a file to another folder.
New_Name Rename_To(const QString& typed, const QString& oldName);
// The message for a refused name, title Name_Title.
extern const QString Name_Title;  // "TWE - Image Name"
QString Name_Message(const QString& typed, const QString& reason);

// ---- copying into the "To" folder -------------------------------------------------------
enum class Copy_Check {
    Copy,        // nothing there: copy
    Ask,         // a file of that name is there: ask "Replace Existing File?"
    Protected,   // a read-only file of that name is there: it stays
    Same_File,   // the picture is already that file (same folder, however spelt)
};
Copy_Check Check_Copy(const QString& fromPath, const QString& toPath);
// Where a picture lands: folder + separator + file name.
QString Target_Path(const QString& folder, const QString& fileName);

// ---- messages ----------------------------------------------------------------------
extern const QString Copy_Title;         // "Copy File"
extern const QString Exists_Title;       // "Image Exists"
extern const QString Exists_Message;     // "Replace Existing File?"
extern const QString Protected_Title;    // "TWE - Protected Image"
extern const QString Delete_Title;       // "Delete Image"
QString Not_Available_Message(const QString& path);  // path + "\r\nIs Not Available"
QString Same_File_Message(const QString& path);
// "<name>\r\nis a Read Only File\r\nand cannot be <what>"
QString Protected_Message(const QString& name, const QString& what);
QString Delete_For_Good_Message(const QString& name);
QString Rename_Failed_Message(const QString& name, const QString& why);

} // namespace image_folders
