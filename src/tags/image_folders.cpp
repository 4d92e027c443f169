#include "tags/image_folders.h"

#include "platform/file_system.h"
#include "tags/tag_list_files.h"

namespace image_folders {

const QString Default_Pattern = QStringLiteral("*.gif;*.bmp;*.jpg;*.jpeg;*.png;*.webp;*.svg");
const QString Name_Title = QStringLiteral("TWE - Image Name");
const QString Copy_Title = QStringLiteral("Copy File");
const QString Exists_Title = QStringLiteral("Image Exists");
const QString Exists_Message = QStringLiteral("Replace Existing File?");
const QString Protected_Title = QStringLiteral("TWE - Protected Image");
const QString Delete_Title = QStringLiteral("Delete Image");

QString File_Pattern(const QString& imagePattern)
{
    return imagePattern.isEmpty() ? Default_Pattern : imagePattern;
}

QStringList Picture_Files(const QString& folder, const QString& pattern)
{
    // Names only: listing never opens a picture.
    return fs::listFiles(folder, pattern);
}

int Kept_Index(int previous, int count)
{
    return previous >= 0 && previous < count ? previous : 0;
}

int Listed_Index(const QStringList& boxItems, const QString& folder)
{
    for (int i = 1; i < boxItems.size(); ++i)
        if (boxItems[i] == folder)
            return i;
    return -1;
}

QString List_File_Name(int pane)
{
    return pane == 0 ? tag_lists::Images_From_File_Name : tag_lists::Images_To_File_Name;
}

Folder_State Check_Folder(const QString& folder)
{
    if (folder.isEmpty())
        return Folder_State::Shown;
    if (!fs::folderExists(folder))
        return Folder_State::Not_Found;
    return fs::folderReadable(folder) ? Folder_State::Shown : Folder_State::Unavailable;
}

QString Folder_Message(const QString& folder, Folder_State s)
{
    return folder + (s == Folder_State::Not_Found ? QStringLiteral("\r\nNo Longer Exists")
                                                  : QStringLiteral("\r\nIs Not Available"));
}

New_Name Rename_To(const QString& typed, const QString& oldName)
{
    New_Name n;
    if (typed.isEmpty())
        return n;
    const QString ext = oldName.contains(QLatin1Char('.')) ? fs::extension(oldName) : QString();
    // Only the picture's own extension comes off: "x.y" is a name, and
    // cutting it at its first dot renamed a picture whose name was left as it
    // was.
    const QString own = QLatin1Char('.') + ext;
    const QString base = !ext.isEmpty() && typed.endsWith(own, Qt::CaseInsensitive) ? typed.chopped(own.size()) : typed;
    n.What = New_Name::Refused;
    if (base.trimmed().isEmpty()) {
        n.Reason = QStringLiteral("The name before the extension is empty.");
        return n;
    }
    if (base.contains(QLatin1Char('/')) || base.contains(QLatin1Char('\\'))) {
        n.Reason = QStringLiteral("A picture name may not hold / or \\: the picture stays in its folder.");
        return n;
    }
    // Pictures travel to web servers of either kind: refuse what either
    // system refuses.
    for (const QChar c : base) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("<>:\"|?*").contains(c)) {
            n.Reason = QStringLiteral("A picture name may not hold any of < > : \" | ? * or a control character.");
            return n;
        }
    }
    n.Reason.clear();
    n.Name = ext.isEmpty() ? base : base + QLatin1Char('.') + ext;
    n.What = n.Name.compare(oldName, Qt::CaseInsensitive) == 0 ? New_Name::Nothing : New_Name::Rename;
    return n;
}

QString Name_Message(const QString& typed, const QString& reason)
{
    return typed + QStringLiteral("\r\ncannot be used as a picture name.\r\n") + reason;
}

Copy_Check Check_Copy(const QString& fromPath, const QString& toPath)
{
    if (fs::sameFile(fromPath, toPath))
        return Copy_Check::Same_File;
    if (!fs::fileExists(toPath))
        return Copy_Check::Copy;
    return fs::isReadOnly(toPath) ? Copy_Check::Protected : Copy_Check::Ask;
}

QString Target_Path(const QString& folder, const QString& fileName)
{
    return fs::withSeparator(folder) + fileName;
}

QString Not_Available_Message(const QString& path)
{
    return path + QStringLiteral("\r\nIs Not Available");
}

QString Same_File_Message(const QString& path)
{
    return path + QStringLiteral("\r\nIs Already in the \"To\" Folder");
}

QString Protected_Message(const QString& name, const QString& what)
{
    return name + QStringLiteral("\r\nis a Read Only File\r\nand cannot be ") + what;
}

QString Delete_For_Good_Message(const QString& name)
{
    return name + QStringLiteral("\r\ncannot be moved to the Trash.\r\nDelete it for good?");
}

QString Rename_Failed_Message(const QString& name, const QString& why)
{
    return name + QStringLiteral("\r\ncould not be renamed (") + why + QStringLiteral(").");
}

} // namespace image_folders
