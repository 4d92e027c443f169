#pragma once
// The remembered working folders: "Folder.lst" in the References folder,
// shared by every site. The file is plain line pairs (the folder's name, then
// its full path), CR LF line ends, no header and no count. In memory the list
// is the shared Folder_List: slot 0 stands for the list's placeholder line and
// is never used; slots 1 to 50 hold the folders in file order and the first
// slot with an empty Path ends the list.
//
// Nothing here shows a message: each change reports its file outcome and the
// window decides what to tell the user.

#include "core/shared_state.h"
#include "platform/file_system.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace folder_list {

using Slots = std::array<FolderEntry, 51>;

// At most this many folders are remembered.
constexpr int Max_Folders = 50;

// "Folder.lst" inside the given References folder.
QString File_Path(const QString& referenceFolder);

// The complete pairs of the lines, at most Max_Folders of them. A pair with an
// empty line is dropped whole; an odd last line has no partner and is dropped.
QList<FolderEntry> Parse(const QStringList& lines);

// Empties every slot, then fills slots 1.. from the file and returns how many
// were filled. A missing or unreadable file gives an empty list.
int Read(const QString& file, Slots& list);

// The number of folders held (the slots before the first empty one).
int Count(const Slots& list);

// The slot that holds exactly this path, or 0 when none does.
int Find_Path(const Slots& list, const QString& path);

// The name a folder is remembered by: its last path component. A root has no
// last component and is named by its own path, so that its entry is never
// mistaken for an incomplete pair.
QString Folder_Name(const QString& path);

enum class Added {
    Refreshed,  // the path was listed already: its name was refreshed in memory only
    Appended,   // a new slot was filled and the pair added to the end of the file
    Full,       // no slot left; nothing changed
    Not_Saved,  // the file could not be written; the slots are as they were
};
struct AddResult {
    Added outcome = Added::Full;
    int slot = 0;                      // the slot refreshed or filled
    fs::Result io = fs::Result::Ok;    // the file outcome when Not_Saved
};

// Remembers (name, path). A new pair is added after the file's last byte, the
// same as appending, but written through a temporary file so a failed write
// leaves the previous list intact; it always starts on a line of its own.
AddResult Add(Slots& list, const QString& file, const QString& name, const QString& path);

// Forgets the folder in slot index (1 to the count): the later slots move up
// one, the freed last slot is emptied, and the file is rewritten whole from
// the slots (atomically; an empty list leaves a zero-byte file). When the file
// cannot be written the slots are left exactly as they were and the failure is
// returned. An index outside the list changes nothing and returns Ok.
fs::Result Remove(Slots& list, const QString& file, int index);

// The lines the file holds for these slots.
QStringList Lines_Of(const Slots& list);

} // namespace folder_list
