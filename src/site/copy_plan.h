#pragma once
// The rules of the Copy Folders & Files dialog: the file pattern of a side,
// whether a folder copy may start, which files a copy writes given the
// user's answers for files that already exist, and the dialog's texts. No
// files are touched here.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace copying {

// What the pattern box's text becomes: "*." is put before it unless it
// starts so; an empty box lists every file ("*").
QString File_Pattern(const QString& typed);

// The answers of the "File Exists" question, by their button index.
enum class Answer { Replace_All = 0, Replace = 1, Skip = 2, Cancel = 3 };

struct Plan {
    QStringList copy;        // in the order given
    bool cancelled = false;  // the user stopped the copying
    bool operator==(const Plan&) const = default;
};

// Which of names are copied: one whose target does not exist always; one
// whose target exists only after ask(name) answered Replace, or once any
// answer was Replace_All. Cancel stops the plan there (what came before it
// stays planned); Skip passes over that one name only.
Plan Plan_Copy(const QStringList& names, const std::function<bool(const QString&)>& targetExists,
               const std::function<Answer(const QString&)>& ask);

// Whether a folder copy may start. Both folders are given as shown and as
// their canonical paths (links resolved; "" for a folder that does not exist).
enum class FolderCheck {
    Nothing,        // a folder not set, or the same folder as shown: nothing happens
    No_Folder,      // the folder to copy from is the root of a drive
    Root_Target,    // the folder to copy to is the root of a drive
    Into_Itself,    // the target is the source or inside it: the copy would copy itself
    Go,
};
FolderCheck Check_Folder_Copy(const QString& from, const QString& to, const QString& canonicalFrom,
                              const QString& canonicalTo, bool fromIsRoot, bool toIsRoot);

// Why the copy cannot write relative below the folder toFolder, or "" when
// it can: the file there is read-only, its folder is, or a folder on the way
// is a link (the copy would land outside the folder copied to). Looks at the
// disk; writes nothing.
QString Why_Unwritable(const QString& toFolder, const QString& relative);

struct Unwritable {
    QString relative;
    QString why;
    bool operator==(const Unwritable&) const = default;
};
// Names the files that cannot be written, and asks whether to copy the
// others (othersLeft), or says that nothing can be copied.
QString Unwritable_Message(const QList<Unwritable>& files, bool othersLeft);

// ---- the dialog's texts ------------------------------------------------------
inline const QString kCaption = QStringLiteral("Copy Folders & Files");
inline const QString kVerifyCaption = QStringLiteral("File Exists");
inline const QString kNoFolder = QStringLiteral("No Folder has been Selected");
inline const QString kCopyFolderTitle = QStringLiteral("TWE - Copy Folder");
inline const QString kNoFiles = QStringLiteral("No Files Have Been Selected");
inline const QString kCopyFilesTitle = QStringLiteral("Copy Selected Files");
inline const QString kCopyFailedTitle = QStringLiteral("TWE - Copy");
inline const QString kProtectedTitle = QStringLiteral("TWE - Protected Page");
inline const QString kDeleteTitle = QStringLiteral("TWE - Delete");
inline const QString kNewFolderTitle = QStringLiteral("New Folder");

// The folder to copy to is the root of a drive.
QString Root_Target_Message(const QString& to);
// The folder to copy to lies inside the one copied from.
QString Into_Itself_Message(const QString& from, const QString& to);
// name & CR LF & "is a Read Only File" & CR LF & "and cannot be Deleted"
QString Read_Only_Not_Deleted(const QString& name);
// A file that could not be copied, with the reason; what follows is not copied.
QString Copy_Failed(const QString& name, const QString& why);
// A folder of the dialog that is gone from the disk since it was chosen.
QString Folder_Gone(const QString& folder);

} // namespace copying
