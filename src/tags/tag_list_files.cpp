#include "tags/tag_list_files.h"

#include "core/shared_state.h"

#include <QDir>

namespace tag_lists {

const QString Target_File_Name = QStringLiteral("Target.lst");
const QString Images_From_File_Name = QStringLiteral("Images, From.lst");
const QString Images_To_File_Name = QStringLiteral("Images, To.lst");
const QString Failure_Title = QStringLiteral("TWE - List Not Saved");
const QString Read_Failure_Title = QStringLiteral("TWE - List Not Read");
const QString No_Working_Folder_Title = QStringLiteral("TWE - No Working Folder");
const QString No_Working_Folder_Message = QStringLiteral(
    "There is no working folder, so there is no list to add the tag to.\r\n\r\n"
    "Choose one with File > Working Folder... first.");

QString Kind_File_Name(int kind)
{
    switch (kind) {
    case 0: return QStringLiteral("Color.lst");
    case 1: return QStringLiteral("Image.lst");
    case 2: return QStringLiteral("URL.lst");
    case 3: return QStringLiteral("Anchor.lst");
    default: return QString();
    }
}

QString File_Path(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty())
        return QString();
    return fs::withSeparator(folder) + name;
}

QString Kind_Path(const QString& folder, int kind)
{
    return File_Path(folder, Kind_File_Name(kind));
}

QString Kind_Path(int kind, Place place)
{
    const SharedState& s = state();
    return Kind_Path(place == Place::Working ? s.Working_Pages_Folder : s.Reference_Folder, kind);
}

QString Working_Path(const QString& name)
{
    return File_Path(state().Working_Pages_Folder, name);
}

fs::Result Read_All(const QString& path, QStringList& entries)
{
    entries.clear();
    if (path.isEmpty())
        return fs::Result::NotFound;
    return fs::readLines(path, entries);
}

QStringList Read_All(const QString& path)
{
    QStringList entries;
    Read_All(path, entries);
    return entries;
}

fs::Result Append_One(const QString& path, const QString& entry)
{
    return Append_Many(path, QStringList{entry});
}

fs::Result Append_Many(const QString& path, const QStringList& entries)
{
    if (path.isEmpty())
        return fs::Result::PathNotFound;
    if (entries.isEmpty())
        return fs::Result::Ok;
    QString text = fs::joinLines(entries);
    // A file edited by hand may lack its final CR LF; the new entry must not
    // merge with its last line.
    QByteArray old;
    if (fs::fileExists(path) && fs::readBytes(path, old) == fs::Result::Ok && !old.isEmpty()
        && !old.endsWith('\n') && !old.endsWith('\r'))
        text.prepend(QLatin1String("\r\n"));
    return fs::appendText(path, text);
}

fs::Result Rewrite_All(const QString& path, const QStringList& entries)
{
    if (path.isEmpty())
        return fs::Result::PathNotFound;
    return fs::writeLines(path, entries);
}

fs::Result Delete(const QString& path)
{
    if (path.isEmpty() || !fs::fileExists(path))
        return fs::Result::Ok;
    return fs::deleteFile(path);
}

QString Site_Images_Item(const QString& finalPagesFolder)
{
    return fs::withSeparator(finalPagesFolder) + QStringLiteral("Images");
}

QStringList Read_Image_Folders(const QString& path, const QString& firstItem)
{
    QStringList items{firstItem};
    items += Read_All(path);
    return items;
}

fs::Result Write_Image_Folders(const QString& path, const QStringList& boxItems)
{
    if (boxItems.isEmpty())
        return fs::Result::Ok;
    return Rewrite_All(path, boxItems.mid(1));
}

TargetChoice Choose_Target(const QString& typed, const QStringList& items, bool noneSelectsFirst)
{
    TargetChoice c;
    // Only blanks are trimmed: a tab or other character typed on purpose
    // stays part of the name.
    qsizetype from = 0;
    qsizetype to = typed.size();
    while (from < to && typed[from] == QLatin1Char(' '))
        ++from;
    while (to > from && typed[to - 1] == QLatin1Char(' '))
        --to;
    c.Name = typed.mid(from, to - from);
    if (c.Name.isEmpty() || (noneSelectsFirst && c.Name == QLatin1String("None")))
        return c;
    const qsizetype at = items.indexOf(c.Name);
    if (at >= 0) {
        c.What = TargetChoice::Select_Existing;
        c.Index = int(at);
        return c;
    }
    c.What = TargetChoice::Add;
    c.Index = int(items.size());
    return c;
}

bool Is_New_Anchor(const QString& name, const QStringList& boxItems)
{
    return !name.isEmpty() && !boxItems.contains(name);
}

bool Is_Toolbar_Entry(const QString& line)
{
    return line > QLatin1String(" ");
}

QString Failure_Message(const QString& path, fs::Result result)
{
    return QStringLiteral("The list file\n%1\ncould not be written (%2).\n\n"
                          "The entry stays in the list until the program ends.")
        .arg(QDir::toNativeSeparators(path), fs::describe(result));
}

QString Read_Failure_Message(const QString& path, fs::Result result)
{
    return QStringLiteral("The list file\n%1\ncould not be read (%2).\n\nIts list stays empty.")
        .arg(QDir::toNativeSeparators(path), fs::describe(result));
}

} // namespace tag_lists
