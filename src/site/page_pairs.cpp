#include "site/page_pairs.h"

#include <algorithm>

namespace pages {

namespace {

// Characters Windows refuses in a file name (a site is often served from or
// copied to one) besides the separators, which would leave the folder.
const QString kForbidden = QStringLiteral("\\/:*?\"<>|");

// Names longer than this cannot take ".rtf" within the usual 255-byte limit.
constexpr int kLongestName = 250;

} // namespace

Pair Pair_Of(const QString& name, const QString& workingPagesFolder, const QString& finalPagesFolder,
             const QString& pageExtension)
{
    const QString page = name.contains(QLatin1Char('.')) ? name : name + QLatin1Char('.') + pageExtension;
    return {workingPagesFolder + name + QStringLiteral(".rtf"), finalPagesFolder + page};
}

QStringList Page_Candidates(const QString& name, const QString& finalPagesFolder)
{
    if (name.contains(QLatin1Char('.')))
        return {finalPagesFolder + name};
    return {finalPagesFolder + name + QStringLiteral(".html"), finalPagesFolder + name + QStringLiteral(".htm")};
}

QStringList Page_Names(const QStringList& fileNames)
{
    QStringList names;
    for (const QString& f : fileNames) {
        const qsizetype dot = f.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0 && f.mid(dot + 1) == QLatin1String("rtf"))
            names << f.left(dot);
    }
    return names;
}

QString Typed_Page_Name(const QString& typed)
{
    const qsizetype at = typed.indexOf(QLatin1String(".rtf"));
    return at < 0 ? typed : typed.left(at);
}

QString Page_Name_Problem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral(" Type a name for the page ");
    if (name.contains(QLatin1String("..")) || name == QLatin1String("."))
        return QStringLiteral(" A page name may not hold \"..\" ");
    for (const QChar c : name) {
        if (kForbidden.contains(c))
            return QStringLiteral(" A page name may not hold %1 ").arg(kForbidden);
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral(" A page name may not hold control characters ");
    }
    if (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        return QStringLiteral(" A page name may not end in a blank or a \".\" ");
    if (name.toUtf8().size() > kLongestName)
        return QStringLiteral(" The page name is too long ");
    return QString();
}

QString Kept_Extension(const QString& pagePath)
{
    const QString file = pagePath.mid(std::max(pagePath.lastIndexOf(QLatin1Char('/')),
                                               pagePath.lastIndexOf(QLatin1Char('\\'))) + 1);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == file.size() - 1)
        return QStringLiteral("html");
    return file.mid(dot + 1);
}

QRect Browser_Beside_Dialog(const QRect& dialogTwips, const QSize& clientSize)
{
    // A page narrower than this is no preview: put it below the dialog.
    constexpr int kNarrowest = 3000;
    const int areaRight = 60 + clientSize.width();
    const int areaBottom = 60 + clientSize.height();
    const int left = dialogTwips.right() + 1 + 60;
    if (areaRight - left >= kNarrowest)
        return QRect(left, 60, areaRight - left, clientSize.height());
    const int top = dialogTwips.bottom() + 1 + 60;
    return QRect(60, top, clientSize.width(), std::max(areaBottom - top, 0));
}

QString Read_Only_Not_Renamed(const QString& name)
{
    return name + QStringLiteral("\r\nis a Read Only File\r\nand cannot be renamed");
}

QString Replace_Page_Question(const QString& name)
{
    return QStringLiteral("Replace existing page ") + name + QLatin1Char('?');
}

QString Delete_For_Good_Question(const QString& name)
{
    return name + QStringLiteral("\r\ncannot be moved to the Trash.\r\nDelete it for good?");
}

QString Rename_Failed(const QString& name, const QString& why)
{
    return name + QStringLiteral("\r\ncould not be renamed (") + why + QStringLiteral(").\r\nThe page keeps its name.");
}

QString Delete_Failed(const QString& name, const QString& why)
{
    return name + QStringLiteral("\r\ncould not be deleted (") + why + QStringLiteral(").");
}

QString Deleted_Hint(const QStringList& trashed, const QStringList& deletedForGood)
{
    QStringList parts;
    if (!trashed.isEmpty())
        parts << trashed.join(QStringLiteral(" and ")) + QStringLiteral(" went to the Trash");
    if (!deletedForGood.isEmpty())
        parts << deletedForGood.join(QStringLiteral(" and "))
                + (deletedForGood.size() == 1 ? QStringLiteral(" was deleted for good")
                                              : QStringLiteral(" were deleted for good"));
    return parts.isEmpty() ? QString() : QLatin1Char(' ') + parts.join(QStringLiteral("; ")) + QLatin1Char(' ');
}

} // namespace pages
