#pragma once
// The file-system service every window uses. Nothing else in the program
// opens a file directly: this is where text encodings, line ends, atomic
// replacement and the distinction between "read-only" and "path missing"
// are decided once.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace fs {

// Outcome of a file operation. PermissionDenied and PathNotFound are the two
// failures callers react to differently (a protected page versus a folder
// that has gone away); the rest are reported alike.
enum class Result {
    Ok,
    NotFound,          // the file itself does not exist
    PathNotFound,      // a folder on the way does not exist
    PermissionDenied,  // read-only file or folder
    DiskFull,
    IoError,
    NotRegularFile,    // a pipe, a device or another special file
    TooLarge,          // more than kMaxReadBytes
    NotText,           // read, but its bytes are no text (a picture, a program)
};

// No text file of a site comes near this; a file beyond it is refused
// rather than read into memory.
inline constexpr qint64 kMaxReadBytes = 64LL * 1024 * 1024;

// A short, user-facing description of a failure ("the folder does not exist").
QString describe(Result r);

// ---- paths -------------------------------------------------------------
QChar separator();
// Appends the separator unless the path already ends in one (a root keeps its
// single separator). An empty path stays empty.
QString withSeparator(const QString& path);
// Removes a trailing separator unless the path is a root.
QString withoutSeparator(const QString& path);
bool isRoot(const QString& path);
QString fileName(const QString& path);     // last component
QString parentFolder(const QString& path); // without trailing separator
QString extension(const QString& path);    // text after the last '.', as on disk
QString baseName(const QString& path);     // file name without its last extension
// The root of the file system or mount point that holds path ("/" or "C:/").
QString rootOf(const QString& path);

// ---- existence, listing ----------------------------------------------
bool fileExists(const QString& path);
bool folderExists(const QString& path);
bool exists(const QString& path);
// Files directly in folder, sorted by name. patterns are "*.gif;*.jpg" style
// lists (case-insensitive like the system dialogs); empty means every file.
QStringList listFiles(const QString& folder, const QString& patterns = QString());
QStringList listFolders(const QString& folder);
// Looks name up in folder without regard to letter case; returns the full path
// of the entry found (exact match preferred), or "".
QString findCaseInsensitive(const QString& folder, const QString& name);
QDateTime modified(const QString& path);
qint64 size(const QString& path);
bool isReadOnly(const QString& path);
// The folder exists and its entries can be listed.
bool folderReadable(const QString& path);
// Both paths name one existing file (through links or another spelling).
bool sameFile(const QString& a, const QString& b);

// ---- changes made by other programs -------------------------------------
// A file as the program last read or wrote it. Another program that saves
// through a temporary file gives it a new inode; one that writes in place
// changes its size or modification time; a file created where there was
// none exists now. Any of these makes the stamps differ.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;  // since the epoch, as finely as the system keeps it
    quint64 device = 0;
    quint64 inode = 0;      // 0 where the system has none to give
    bool operator==(const FileStamp&) const = default;
};
FileStamp stamp(const QString& path);
// True when the file now is not the one recorded. A file that has gone is no
// change: writing it again loses nothing.
bool changedSince(const FileStamp& recorded, const FileStamp& now);

// ---- text ----------------------------------------------------------------
// Files are written as UTF-8 without a byte-order mark and read by the one
// rule of platform/text_encoding.h (UTF-8 sequences as UTF-8, any other byte
// as Windows-1252).
QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);

// Lines of a text: CR LF, LF or CR end a line; a last line without an ending
// is still a line; a final ending does not start another line.
QStringList splitLines(const QString& text);
// Every line followed by CR LF.
QString joinLines(const QStringList& lines);

// Only regular files (a link to one is followed) of at most kMaxReadBytes
// are read; anything else is refused without reading a byte.
Result readBytes(const QString& path, QByteArray& out);
Result readText(const QString& path, QString& out);
// At most count bytes from the start of the file (what kind of file it is),
// with the checks of readBytes.
Result readStart(const QString& path, qint64 count, QByteArray& out);
Result readLines(const QString& path, QStringList& out);

// Replaces the file through a temporary file and a rename, so a failed write
// (full disk, crash) leaves the previous file intact.
Result writeBytes(const QString& path, const QByteArray& bytes);
Result writeText(const QString& path, const QString& text);
Result writeLines(const QString& path, const QStringList& lines);
// Appends text to the file, creating it when missing. The file is replaced
// whole, like writeBytes, so a full disk never leaves half an addition. A
// file in UTF-16 or UTF-32 is written again whole in UTF-8: UTF-8 bytes
// added to it would read as garbage.
Result appendText(const QString& path, const QString& text);

// ---- files and folders -----------------------------------------------
// The copy takes the original's modification time and permissions. A link at
// to is replaced by the copy (never written through); without overwrite an
// existing file or link there is left alone (PermissionDenied).
Result copyFile(const QString& from, const QString& to, bool overwrite);
// The path is a symbolic link (also one whose target is missing).
bool isLink(const QString& path);
// A folder on the way from folder to folder/relative ('/' between the parts;
// the last part is not looked at) is a symbolic link, so writing there would
// land somewhere else.
bool throughLink(const QString& folder, const QString& relative);
// Deletes the file even when it is marked read-only.
Result deleteFile(const QString& path);
// Deletes the file for good, but never one whose owner-write bit is clear
// (PermissionDenied): the user protected it.
Result removeFile(const QString& path);
// The path with links resolved and no "." or ".." left; "" when it does not
// exist.
QString canonicalPath(const QString& path);
// Everything inside folder, its subfolders' contents after each subfolder,
// by name. A symbolic link is listed as a link and never followed, so a link
// to one of the folder's own ancestors cannot make the listing endless.
struct TreeEntry {
    enum class Kind { File, Folder, Link };
    QString relative;  // path below folder, '/' between the parts
    Kind kind = Kind::File;
    bool operator==(const TreeEntry&) const = default;
};
QList<TreeEntry> listTree(const QString& folder);
// Makes to a symbolic link with the same target as the link from (a
// relative target stays relative). An existing to is replaced only once the
// new link is complete.
Result copyLink(const QString& from, const QString& to);
Result renameFile(const QString& from, const QString& to);
Result makeFolder(const QString& path);
// Moves the file to the desktop's trash, from where the user can get it
// back. Fails (IoError) where there is no trash for it; the caller then asks
// before deleting for good. The file's own read-only bit is the caller's
// check: a move does not look at it.
Result moveToTrash(const QString& path);

// ---- a full disk on purpose ----------------------------------------------
// While the environment variable named here is set, every write to a path
// containing its text ("/" matches any path) fails as on a full disk: part of
// the data reaches the temporary file, which is then dropped, and DiskFull is
// returned. Lets tests and testers try every command that writes.
inline constexpr const char* Full_Disk_Variable = "TESK_FULL_DISK";

} // namespace fs
