#pragma once
// The file-system service every window uses. Nothing else in the program
// opens a file directly: this is where text encodings, line ends, atomic
// replacement and the distinction between "read-only" and "path missing"
// are decided once.

#include <QByteArray>
#include <QDateTime>
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
};

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

// ---- text ----------------------------------------------------------------
// Files are written as UTF-8 without a byte-order mark. On reading, a file
// that is not valid UTF-8 is taken as Windows-1252, so legacy files written
// in the old single-byte code page keep their characters.
QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);
QString decodeWindows1252(const QByteArray& bytes);
bool isValidUtf8(const QByteArray& bytes);

// Lines of a text: CR LF, LF or CR end a line; a last line without an ending
// is still a line; a final ending does not start another line.
QStringList splitLines(const QString& text);
// Every line followed by CR LF.
QString joinLines(const QStringList& lines);

Result readBytes(const QString& path, QByteArray& out);
Result readText(const QString& path, QString& out);
Result readLines(const QString& path, QStringList& out);

// Replaces the file through a temporary file and a rename, so a failed write
// (full disk, crash) leaves the previous file intact.
Result writeBytes(const QString& path, const QByteArray& bytes);
Result writeText(const QString& path, const QString& text);
Result writeLines(const QString& path, const QStringList& lines);
// Appends text to the file, creating it when missing.
Result appendText(const QString& path, const QString& text);
Result appendLine(const QString& path, const QString& line);

// ---- files and folders -----------------------------------------------
Result copyFile(const QString& from, const QString& to, bool overwrite);
// Deletes the file even when it is marked read-only.
Result deleteFile(const QString& path);
Result renameFile(const QString& from, const QString& to);
Result makeFolder(const QString& path);
// Moves the file to the desktop's trash, from where the user can get it
// back. Fails (IoError) where there is no trash for it; the caller then asks
// before deleting for good. The file's own read-only bit is the caller's
// check: a move does not look at it.
Result moveToTrash(const QString& path);

} // namespace fs
