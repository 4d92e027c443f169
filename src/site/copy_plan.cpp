#include "site/copy_plan.h"

#include "platform/file_system.h"

namespace copying {

QString File_Pattern(const QString& typed)
{
    if (typed.isEmpty())
        return QStringLiteral("*");
    if (typed.startsWith(QLatin1String("*.")))
        return typed;
    return QStringLiteral("*.") + typed;
}

Plan Plan_Copy(const QStringList& names, const std::function<bool(const QString&)>& targetExists,
               const std::function<Answer(const QString&)>& ask)
{
    Plan plan;
    bool replaceAll = false;
    for (const QString& name : names) {
        if (!replaceAll && targetExists(name)) {
            const Answer a = ask(name);
            if (a == Answer::Cancel) {
                plan.cancelled = true;
                break;
            }
            if (a == Answer::Skip)
                continue;
            replaceAll = a == Answer::Replace_All;
        }
        plan.copy << name;
    }
    return plan;
}

FolderCheck Check_Folder_Copy(const QString& from, const QString& to, const QString& canonicalFrom,
                              const QString& canonicalTo, bool fromIsRoot, bool toIsRoot)
{
    if (from.isEmpty() || to.isEmpty() || from == to)
        return FolderCheck::Nothing;
    if (fromIsRoot)
        return FolderCheck::No_Folder;
    if (toIsRoot)
        return FolderCheck::Root_Target;
    if (!canonicalFrom.isEmpty() && !canonicalTo.isEmpty()) {
        const QString inside = canonicalFrom.endsWith(QLatin1Char('/')) ? canonicalFrom
                                                                        : canonicalFrom + QLatin1Char('/');
        if (canonicalTo == canonicalFrom || canonicalTo.startsWith(inside))
            return FolderCheck::Into_Itself;
    }
    return FolderCheck::Go;
}

QString Why_Unwritable(const QString& toFolder, const QString& relative)
{
    if (fs::throughLink(toFolder, relative))
        return QStringLiteral("a folder on the way is a link to another place");
    const QString path = fs::withSeparator(toFolder) + relative;
    // A link itself is replaced, whatever it points to.
    if (!fs::isLink(path) && fs::isReadOnly(path))
        return QStringLiteral("read-only");
    const QString folder = fs::parentFolder(path);
    if (fs::folderExists(folder) && fs::isReadOnly(folder))
        return QStringLiteral("its folder is read-only");
    return QString();
}

QString Unwritable_Message(const QList<Unwritable>& files, bool othersLeft)
{
    // A screenful at most: the rest are counted.
    constexpr qsizetype kShown = 12;
    QString text = QStringLiteral("These files cannot be written in the folder to copy to:\r\n");
    for (qsizetype i = 0; i < files.size() && i < kShown; ++i)
        text += QStringLiteral("\r\n") + files[i].relative + QStringLiteral(" (") + files[i].why + QLatin1Char(')');
    if (files.size() > kShown)
        text += QStringLiteral("\r\n... and %1 more").arg(files.size() - kShown);
    return text + (othersLeft ? QStringLiteral("\r\n\r\nCopy the other files?")
                              : QStringLiteral("\r\n\r\nNothing was copied."));
}

QString Folder_Gone(const QString& folder)
{
    return folder + QStringLiteral("\r\nNo Longer Exists");
}

QString Root_Target_Message(const QString& to)
{
    return to + QStringLiteral(" is the top of a drive.\r\nChoose a folder to copy to.");
}

QString Into_Itself_Message(const QString& from, const QString& to)
{
    return to + QStringLiteral("\r\nis inside the folder to copy from,\r\n") + from
        + QStringLiteral("\r\nso the copy would copy itself without end.\r\nChoose a folder outside it.");
}

QString Read_Only_Not_Deleted(const QString& name)
{
    return name + QStringLiteral("\r\nis a Read Only File\r\nand cannot be Deleted");
}

QString Copy_Failed(const QString& name, const QString& why)
{
    return name + QStringLiteral("\r\ncould not be copied (") + why
        + QStringLiteral(").\r\nThe files after it were not copied.");
}

} // namespace copying
