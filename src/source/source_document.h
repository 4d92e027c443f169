#pragma once
// The document in the source editor as files on disk: how its two names are
// derived, which sources the name dialogs list, what a typed name may be,
// and the program's texts about documents. No windows here: the editor
// window and its three name dialogs call these and show the results.
//
// A document is a pair written together: the source file NAME.rtf (rich
// text: colours and indents) in Working-Pages, and the page file in
// Final-Pages (NAME.html, or NAME itself when the name carries its own page
// extension, such as "news.php").

#include "core/shared_state.h"
#include "platform/file_system.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace srcdoc {

// ---- the name rules --------------------------------------------------------

// Every name of a document, derived from a source title.
struct DocumentNames {
    QString label;         // what the window shows: the name without ".rtf"
    QString Source_Title;  // label & ".rtf"
    QString Source_Path;   // Working-Pages & Source_Title
    QString HTML_Name;     // label
    QString HTML_Path;     // Final-Pages & HTML_Name, with ".html" unless it holds a "."
    bool operator==(const DocumentNames&) const = default;
};

// The title cut before its first ".rtf" (case-sensitive): "old.rtf.bak"
// gives "old", "Notes.RTF" stays as it is.
QString Current_Name(const QString& sourceTitle);

// The page file of a document name.
QString Page_Path(const QString& htmlName, const QString& finalPagesFolder);

// The source in Working-Pages of a page in Final-Pages: about.rtf for
// about.html, else about.html.rtf; "" when the page has none yet.
QString Source_Of_Page(const QString& pagePath, const QString& workingPagesFolder,
                       const QString& finalPagesFolder);

// The whole rule: what a chosen file or typed name becomes.
DocumentNames Name_Rules(const QString& sourceTitle, const QString& workingPagesFolder,
                         const QString& finalPagesFolder);

// The rules applied to the shared document state. Adjust_Source_Name sets
// Source_Title, Source_Path and HTML_Name and returns the label text;
// Adjust_HTML_Name sets HTML_Path from HTML_Name.
QString Adjust_Source_Name(SharedState& s);
void Adjust_HTML_Name(SharedState& s);

// ---- the lists of the name dialogs --------------------------------------------

// Base names of the files in folder whose extension is exactly "rtf" (so
// "x.RTF" and the template "New Page" are not listed), in alphabetical order
// without regard to letter case (ties: case-sensitive, so the order is
// always the same).
QStringList Source_List(const QString& folder);

// The index of the entry equal to name (case-sensitive), or -1.
int Look_for_File(const QStringList& list, const QString& name);

// ---- names typed in Save As ----------------------------------------------------

// Characters no file name may hold on any system a site is built or served
// on (a path separator would put the source outside Working-Pages).
QString Forbidden_Name_Characters();

// Why name cannot be a document name, as the message to show, or "" when it
// can: empty or only blanks, a path separator or another forbidden
// character, a control character, or a name the systems reserve ("." and "..").
QString Save_As_Name_Problem(const QString& name);

// The list entry a typed name would replace: the name cut before ".rtf"
// ("page" and "page.rtf" both mean the source page.rtf), or -1.
int Replaced_Entry(const QStringList& list, const QString& typed);

// ---- files ---------------------------------------------------------------------

// True when both paths name the same file (the same path once made absolute
// and clean, or the same file on disk).
bool Same_File(const QString& a, const QString& b);

// What opening the file at path as the document named target would replace
// besides that file itself: the name of target's source in Working-Pages
// when it exists and is another file, else of target's page in Final-Pages
// when it exists, is another file and does not belong to the opened source;
// "" when the open replaces nothing of another document.
QString Open_Would_Replace(const QString& path, const DocumentNames& target);

// ---- changes made outside the editor --------------------------------------------
// The document's two files as the editor last read or wrote them, so that a
// save never writes unasked over what another program (or a second copy of
// this one) put there since.
struct Disk_Record {
    QString Source_Path;
    fs::FileStamp source;
    QString HTML_Path;
    fs::FileStamp page;
    bool operator==(const Disk_Record&) const = default;
};
Disk_Record Record_Disk(const QString& sourcePath, const QString& htmlPath);

// The file of the document at sourcePath / htmlPath that changed on disk
// since record: the source when it did (taking it back keeps the colours),
// else the page; "" when neither did, when the record is of another
// document, or when the files were only deleted (a save makes them again).
QString Changed_On_Disk(const Disk_Record& record, const QString& sourcePath, const QString& htmlPath);

// ---- the opened file itself -------------------------------------------------
// Opening saves at once, and that save may write over the very file that was
// opened: a source that is not RTF (a text saved by another editor, in
// UTF-16 say) is rewritten as RTF, a page file opened as a source is
// rewritten with the editor's text in UTF-8. Its bytes are kept beside it
// first, so the user can always go back to what was there.

// The opened file when the save of opening it as target would replace it
// with other bytes, "" when that save leaves it as it is (or it is empty:
// there is nothing to lose). page gives the
// bytes of the page file about to be written; it is asked only when the
// opened file is that page.
QString Open_Would_Rewrite(const QString& opened, const DocumentNames& target,
                           const std::function<QByteArray()>& page);
// Copies the file beside itself to the first free name of "NAME.orig",
// "NAME.1.orig", "NAME.2.orig" ..., never over a file that exists. Returns
// the copy's path, or "" with why set.
QString Keep_Original(const QString& path, fs::Result& why);
QString Original_Kept(const QString& path, const QString& copy);
QString Original_Not_Kept(const QString& path, fs::Result why);
inline const QString kOriginalKeptTitle = QStringLiteral("TWE - Original Kept");

// ---- edits kept when the program is ended from outside ----------------------
// A logout or shutdown leaves no one to ask about unsaved edits: they are
// kept in a file of their own beside the source ("index.rtf.recovered"), or
// "New File.recovered" in Working-Pages for a page without a name, and
// offered back at the next start. The source itself is never written then.
inline const QString kRecoveredSuffix = QStringLiteral(".recovered");
QString Recovery_Path(const QString& sourcePath, const QString& workingPagesFolder);
// The source title a kept copy belongs to ("index.rtf"), "" for a page that
// had no name.
QString Recovered_Title(const QString& copyPath);
// The kept copies waiting in a Working-Pages folder, by name.
QStringList Recovered_Copies(const QString& workingPagesFolder);
QString Recovered_Question(const QString& copyPath);
inline const QString kRecoveredTitle = QStringLiteral("TWE - Unsaved Changes Kept");

// ---- the program's texts --------------------------------------------------------

QString Save_Changes_Question(const QString& sourceTitle);
inline const QString kSaveChangesTitle = QStringLiteral("Source File Change");
inline const QString kReplaceQuestion = QStringLiteral("Replace Existing File?");
inline const QString kReplaceTitle = QStringLiteral("File Exists");
// Asked before an open replaces a file of another document.
QString Replace_Existing_Question(const QString& fileName);
inline const QString kOpenReplaceTitle = QStringLiteral("Source File");
// Asked before a save writes over a file changed on disk: Yes writes over
// it, No takes the disk's version into the editor, Cancel leaves both.
QString Changed_On_Disk_Question(const QString& fileName);
inline const QString kChangedOnDiskTitle = QStringLiteral("TWE - File Changed");
inline const QString kReadOnlyMessage = QStringLiteral("This is a Read Only File\r\nand cannot be changed");
inline const QString kReadOnlyTitle = QStringLiteral("TWE - Protected Page");
// A save refused for want of permission was refused by the folder when the
// file itself may be written (or is not there yet) and its folder may not:
// telling the user the file is protected would send them to the wrong place.
bool Refused_By_Folder(const QString& path);
// "<folder> is a Read Only Folder and the page cannot be saved in it".
QString Read_Only_Folder_Message(const QString& folder);
inline const QString kReadOnlyFolderTitle = QStringLiteral("TWE - Protected Folder");
inline const QString kFileNameTitle = QStringLiteral("TWE - File Name");
inline const QString kNotSavedTitle = QStringLiteral("TWE - File Not Saved");
inline const QString kNotOpenedTitle = QStringLiteral("TWE - File Not Opened");
inline const QString kOpenDialogTitle = QStringLiteral("Open Source File");

// "The source file ... could not be saved" with the file and the reason.
QString Source_Not_Saved(const QString& path, fs::Result why);
QString Page_Not_Saved(const QString& path, fs::Result why);
QString Template_Not_Saved(const QString& path, fs::Result why);
QString Not_Opened(const QString& path, fs::Result why);

} // namespace srcdoc
