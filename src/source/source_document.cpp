#include "source/source_document.h"

#include "platform/rtf_reader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace srcdoc {

namespace {
const QString kRtf = QStringLiteral(".rtf");
} // namespace

// ---- the name rules --------------------------------------------------------

QString Current_Name(const QString& sourceTitle)
{
    const qsizetype at = sourceTitle.indexOf(kRtf, 0, Qt::CaseSensitive);
    return at < 0 ? sourceTitle : sourceTitle.left(at);
}

QString Page_Path(const QString& htmlName, const QString& finalPagesFolder)
{
    // A name that carries its own extension ("news.php") is the page's name.
    if (htmlName.contains(QLatin1Char('.')))
        return finalPagesFolder + htmlName;
    return finalPagesFolder + htmlName + QStringLiteral(".html");
}

QString Source_Of_Page(const QString& pagePath, const QString& workingPagesFolder,
                       const QString& finalPagesFolder)
{
    const QString name = fs::fileName(pagePath);
    const QString base = fs::baseName(name);
    const QString own = workingPagesFolder + base + kRtf;
    if (Page_Path(base, finalPagesFolder) == pagePath && fs::fileExists(own))
        return own;
    const QString full = workingPagesFolder + name + kRtf;
    return fs::fileExists(full) ? full : QString();
}

DocumentNames Name_Rules(const QString& sourceTitle, const QString& workingPagesFolder,
                         const QString& finalPagesFolder)
{
    DocumentNames n;
    n.label = Current_Name(sourceTitle);
    n.Source_Title = n.label + kRtf;
    n.Source_Path = workingPagesFolder + n.Source_Title;
    n.HTML_Name = n.label;
    n.HTML_Path = Page_Path(n.HTML_Name, finalPagesFolder);
    return n;
}

QString Adjust_Source_Name(SharedState& s)
{
    const DocumentNames n = Name_Rules(s.Source_Title, s.Working_Pages_Folder, s.Final_Pages_Folder);
    s.Source_Title = n.Source_Title;
    s.Source_Path = n.Source_Path;
    s.HTML_Name = n.HTML_Name;
    return n.label;
}

void Adjust_HTML_Name(SharedState& s)
{
    s.HTML_Path = Page_Path(s.HTML_Name, s.Final_Pages_Folder);
}

// ---- the lists of the name dialogs --------------------------------------------

QStringList Source_List(const QString& folder)
{
    QStringList names;
    for (const QString& file : fs::listFiles(folder)) {
        if (fs::extension(file) != QLatin1String("rtf"))
            continue;
        const QString base = fs::baseName(file);
        // ".rtf" alone has no name to show or to choose.
        if (!base.isEmpty())
            names << base;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.compare(b, Qt::CaseSensitive) < 0;
    });
    return names;
}

int Look_for_File(const QStringList& list, const QString& name)
{
    return int(list.indexOf(name));
}

// ---- names typed in Save As ----------------------------------------------------

QString Forbidden_Name_Characters()
{
    return QStringLiteral("\\/:*?\"<>|");
}

QString Save_As_Name_Problem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter a name for the file.");
    const QString forbidden = Forbidden_Name_Characters();
    for (const QChar c : name) {
        if (forbidden.contains(c))
            return QStringLiteral("A file name cannot hold any of these characters:\r\n")
                + QStringLiteral("\\ / : * ? \" < > |");
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("A file name cannot hold tabs or other control characters.");
    }
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("\"") + name + QStringLiteral("\" cannot be used as a file name.");
    return QString();
}

int Replaced_Entry(const QStringList& list, const QString& typed)
{
    return Look_for_File(list, Current_Name(typed));
}

// ---- files ---------------------------------------------------------------------

bool Same_File(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath()))
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QString Open_Would_Replace(const QString& path, const DocumentNames& target)
{
    if (fs::fileExists(target.Source_Path) && !Same_File(path, target.Source_Path))
        return fs::fileName(target.Source_Path);
    if (fs::fileExists(target.HTML_Path) && !Same_File(path, target.HTML_Path)
        && !Same_File(path, target.Source_Path))
        return fs::fileName(target.HTML_Path);
    return QString();
}

// ---- changes made outside the editor --------------------------------------------

Disk_Record Record_Disk(const QString& sourcePath, const QString& htmlPath)
{
    return {sourcePath, fs::stamp(sourcePath), htmlPath, fs::stamp(htmlPath)};
}

QString Changed_On_Disk(const Disk_Record& record, const QString& sourcePath, const QString& htmlPath)
{
    if (sourcePath.isEmpty() || record.Source_Path != sourcePath || record.HTML_Path != htmlPath)
        return QString();
    if (fs::changedSince(record.source, fs::stamp(sourcePath)))
        return sourcePath;
    if (fs::changedSince(record.page, fs::stamp(htmlPath)))
        return htmlPath;
    return QString();
}

// ---- the opened file itself -------------------------------------------------

QString Open_Would_Rewrite(const QString& opened, const DocumentNames& target,
                           const std::function<QByteArray()>& page)
{
    if (Same_File(opened, target.Source_Path)) {
        QByteArray start;
        // Unreadable now: keeping a copy fails too, and the file is left alone.
        if (fs::readStart(opened, 5, start) != fs::Result::Ok)
            return opened;
        // An empty file has nothing to lose.
        return rtf::isRtf(start) || start.isEmpty() ? QString() : opened;
    }
    if (Same_File(opened, target.HTML_Path)) {
        QByteArray bytes;
        if (fs::readBytes(opened, bytes) != fs::Result::Ok)
            return opened;
        return bytes == page() ? QString() : opened;
    }
    return QString();
}

QString Keep_Original(const QString& path, fs::Result& why)
{
    // A folder full of copies of one file means something else is wrong:
    // stop looking rather than search for ever.
    for (int i = 0; i < 1000; ++i) {
        const QString copy = path + (i == 0 ? QString() : QStringLiteral(".%1").arg(i)) + QStringLiteral(".orig");
        if (fs::exists(copy))
            continue;
        why = fs::copyFile(path, copy, false);
        return why == fs::Result::Ok ? copy : QString();
    }
    why = fs::Result::IoError;
    return QString();
}

QString Original_Kept(const QString& path, const QString& copy)
{
    return QStringLiteral("%1 was not in the editor's own form and has been saved in it.\r\n"
                          "Its original is kept beside it as %2")
        .arg(path, fs::fileName(copy));
}

QString Original_Not_Kept(const QString& path, fs::Result why)
{
    return QStringLiteral("%1 is not in the editor's own form, and a copy of its original could not be kept "
                          "beside it\r\n(%2).\r\nIt is left as it is until you save it.")
        .arg(path, fs::describe(why));
}

// ---- edits kept when the program is ended from outside ----------------------

QString Recovery_Path(const QString& sourcePath, const QString& workingPagesFolder)
{
    return (sourcePath.isEmpty() ? workingPagesFolder + QStringLiteral("New File") : sourcePath) + kRecoveredSuffix;
}

QString Recovered_Title(const QString& copyPath)
{
    QString name = fs::fileName(copyPath);
    name.chop(kRecoveredSuffix.size());
    return name.endsWith(QLatin1String(".rtf")) ? name : QString();
}

QStringList Recovered_Copies(const QString& workingPagesFolder)
{
    QStringList copies;
    for (const QString& name : fs::listFiles(workingPagesFolder, QStringLiteral("*") + kRecoveredSuffix))
        if (name.endsWith(kRecoveredSuffix))  // the listing ignores case
            copies << fs::withSeparator(workingPagesFolder) + name;
    return copies;
}

QString Recovered_Question(const QString& copyPath)
{
    const QString title = Recovered_Title(copyPath);
    return QStringLiteral("Changes to %1 were not saved when the program was ended, and have been kept in %2.\r\n\r\n"
                          "Yes opens them (not yet saved), No throws them away, Cancel keeps them for later.")
        .arg(title.isEmpty() ? QStringLiteral("a new page") : title, fs::fileName(copyPath));
}

// ---- the program's texts --------------------------------------------------------

QString Save_Changes_Question(const QString& sourceTitle)
{
    return QStringLiteral("Save Changes to ") + sourceTitle + QStringLiteral("?");
}

QString Replace_Existing_Question(const QString& fileName)
{
    return QStringLiteral("Replace existing ") + fileName + QStringLiteral("?");
}

QString Changed_On_Disk_Question(const QString& fileName)
{
    return fileName + QStringLiteral(" has changed on disk since it was opened. Overwrite it?");
}

namespace {
// What failed, the file, and the reason in brackets.
QString Failure(const QString& what, const QString& path, fs::Result why)
{
    return what + path + QStringLiteral("\r\n(") + fs::describe(why) + QStringLiteral(")");
}
} // namespace

bool Refused_By_Folder(const QString& path)
{
    return !fs::isReadOnly(path) && fs::isReadOnly(fs::parentFolder(path));
}

QString Read_Only_Folder_Message(const QString& folder)
{
    return QDir::toNativeSeparators(fs::withoutSeparator(folder))
        + QStringLiteral("\r\nis a Read Only Folder\r\nand the page cannot be saved in it");
}

QString Source_Not_Saved(const QString& path, fs::Result why)
{
    return Failure(QStringLiteral("The source file could not be saved:\r\n"), path, why)
        + QStringLiteral("\r\nYour changes are still in the editor.");
}

QString Page_Not_Saved(const QString& path, fs::Result why)
{
    return Failure(QStringLiteral("The page file could not be saved:\r\n"), path, why);
}

QString Template_Not_Saved(const QString& path, fs::Result why)
{
    return Failure(QStringLiteral("The new page template could not be saved:\r\n"), path, why);
}

QString Not_Opened(const QString& path, fs::Result why)
{
    if (why == fs::Result::NotText)
        return path + QStringLiteral(" is not a text file: it holds bytes no text has (a picture, a program or "
                                     "another program's document).\r\nIt has not been opened, and nothing "
                                     "has been written.");
    return Failure(QStringLiteral("The file could not be opened:\r\n"), path, why);
}

} // namespace srcdoc
