#pragma once
// A page of the site as the Delete and Rename Pages dialogs see it: the
// source NAME.rtf in Working-Pages and the page in Final-Pages (NAME itself
// when the name carries its own extension, such as "index.htm", else
// NAME.html). No files are touched here: the dialogs look at the disk and
// move results into their controls.

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace pages {

struct Pair {
    QString source;  // Working-Pages & name & ".rtf"
    QString page;    // the page file, whether or not it exists
    bool operator==(const Pair&) const = default;
};

// The two files of a page name. pageExtension is used only for a name
// without a "." of its own (a rename keeps the old page's extension).
Pair Pair_Of(const QString& name, const QString& workingPagesFolder, const QString& finalPagesFolder,
             const QString& pageExtension = QStringLiteral("html"));

// Where the page file of a name may be, in the order looked for: NAME when
// the name holds a ".", else NAME.html and then NAME.htm (a page made
// elsewhere with the short extension still belongs to its source).
QStringList Page_Candidates(const QString& name, const QString& finalPagesFolder);

// The page names of a listing of Working-Pages: every file whose extension
// is exactly "rtf" (so "x.RTF" is left out), without it, in listing order.
QStringList Page_Names(const QStringList& fileNames);

// What a typed new name means: the text cut before its first ".rtf", so
// "contact" and "contact.rtf" name the same page.
QString Typed_Page_Name(const QString& typed);

// Why name cannot be a page's name, as a short hint for the user, or "" when
// it can: nothing but blanks, a path separator or "..", a character the file
// systems a site is built or served on refuse, a control character, or a
// name that would be too long for the source file.
QString Page_Name_Problem(const QString& name);

// The extension of an existing page file ("htm" for about.htm), or "html"
// when there is none to keep.
QString Kept_Extension(const QString& pagePath);

// Where the Browser window goes while a page dialog is open: the rest of the
// main window's inner area (clientSize twips, 60-twip margins) to the right
// of the dialog, or below it when the area is too narrow for a page beside it.
QRect Browser_Beside_Dialog(const QRect& dialogTwips, const QSize& clientSize);

// ---- the dialogs' texts ----------------------------------------------------
inline const QString kDeleteCaption = QStringLiteral("Delete Pages");
inline const QString kRenameCaption = QStringLiteral("Rename Pages");
inline const QString kReadOnlyNotDeleted = QStringLiteral("This is a Read Only File\r\nand cannot be Deleted");
inline const QString kProtectedPageTitle = QStringLiteral("TWE - Protected Page");
inline const QString kProtectedFileTitle = QStringLiteral("TWE - Protected File");
inline const QString kReplacePageTitle = QStringLiteral("Rename Pages");
inline const QString kDeleteTitle = QStringLiteral("TWE - Delete");
inline const QString kRenameFailedTitle = QStringLiteral("TWE - Rename Pages");

// name & CR LF & "is a Read Only File" & CR LF & "and cannot be renamed"
QString Read_Only_Not_Renamed(const QString& name);
// "Replace existing page " & name & "?"
QString Replace_Page_Question(const QString& name);
// The trash cannot take the file: delete it for good?
QString Delete_For_Good_Question(const QString& name);
// A rename or delete that could not be done: the file's name and the reason.
QString Rename_Failed(const QString& name, const QString& why);
QString Delete_Failed(const QString& name, const QString& why);
// The hint line after a delete: which files went to the Trash (where the
// user gets them back) and which were deleted for good; "" for none.
QString Deleted_Hint(const QStringList& trashed, const QStringList& deletedForGood);

} // namespace pages
