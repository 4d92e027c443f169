#pragma once
// Laying out a site and switching the working folder, the drives the folder
// dialogs offer, and where those dialogs place themselves. No windows here:
// the dialogs call these and move the results into their controls.

#include "core/shared_state.h"
#include "platform/file_system.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

namespace site {

// ---- the site's folders ------------------------------------------------

inline const QString Working_Pages = QStringLiteral("Working-Pages");
inline const QString Final_Pages = QStringLiteral("Final-Pages");
inline const QString Images = QStringLiteral("Images");
inline const QString Backgrounds = QStringLiteral("Backgrnd");

// A folder named exactly like one of the two page folders: choosing it as a
// working folder asks first.
bool Is_Page_Folder_Name(const QString& name);
// The four-line question asked for such a folder.
QString Page_Folder_Question(const QString& name);

// Makes "Working-Pages" and "Final-Pages" in folder where it has no subfolder
// of exactly that name, then "Images" and "Backgrnd" inside "Final-Pages"
// where they are missing. Failures are not reported: a folder that cannot be
// made is skipped and the others are still tried. Returns the folders made.
QStringList Lay_Out_Site(const QString& folder);

// The working folder for a folder path: the path with one separator at the
// end (a root keeps its single one).
QString Working_Folder_Of(const QString& folderPath);

// Makes folderPath the working folder: Working_Folder, the two page folders
// derived from it, and the status bar's folder panel.
void Set_Working_Folder(SharedState& s, const QString& folderPath);

// ---- new folders -----------------------------------------------------------

// A name that stays inside the folder it is made in: not empty, no path
// separator (one trailing separator is allowed, as users type "new\") and no
// "..".
bool Is_Plain_Folder_Name(const QString& typed);

// The message shown when a new folder cannot be made (the typed text, then
// " could not be created. ").
QString New_Folder_Failure(const QString& typed);

struct NewFolder {
    fs::Result result = fs::Result::Ok;
    QString path;  // the folder made (without a trailing separator)
};
// Makes the typed name inside shownFolder. An unsafe name is refused
// (PermissionDenied) without touching the disk. A folder that exists already
// counts as made.
NewFolder Make_New_Folder(const QString& shownFolder, const QString& typed);

// ---- drives --------------------------------------------------------------

// A mounted file system as the drive list sees it.
struct Volume {
    QString root;        // its root path
    QByteArray type;     // file-system type ("ext4", "proc", "NTFS" ...)
    bool valid = false;
    bool ready = false;
    bool readable = false;  // the root is a folder the user can read
};

// The roots worth offering as drives, each ending in a separator, sorted,
// without duplicates: valid, ready and readable volumes, leaving out the
// kernel's pseudo file systems and the system's own scratch mounts.
QStringList Usable_Drives(const QList<Volume>& volumes);

// The drives of this machine.
QStringList Available_Drives();

// The drive that holds path (its root, ending in a separator).
QString Drive_Of(const QString& path);

// The drive can be opened: its root is a folder the user can read.
bool Drive_Available(const QString& drive);

// ---- placement --------------------------------------------------------------

// Where the working folder dialog goes when it becomes active, in twips of
// the main window's inner area, and where the help window (screen twips) is
// pushed so the two do not overlap.
struct DialogPlacement {
    bool moveDialog = false;
    QPoint dialog;
    bool moveHelp = false;
    QPoint help;
};
DialogPlacement Place_Working_Dialog(const QSize& client, const QSize& dialog, int helpShown,
                                     const QPoint& mainWindow, const QPoint& helpWindow);

// Where the folder picker (screen twips) and the help window go when the
// picker becomes active; nothing moves unless the help window is shown.
DialogPlacement Place_Folder_Picker(int helpShown, const QPoint& helpWindow);

} // namespace site
