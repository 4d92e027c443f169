#include "core/site_layout.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <QtMath>

#include <algorithm>

namespace site {

bool Is_Page_Folder_Name(const QString& name)
{
    return name == Working_Pages || name == Final_Pages;
}

QString Page_Folder_Question(const QString& name)
{
    return QStringLiteral("Do you wish to create\r\n"
                          "a Working-Pages Folder and\r\n"
                          "a Final-Pages Folder\r\n"
                          "with in a ")
        + name + QStringLiteral(" File?");
}

QStringList Lay_Out_Site(const QString& folder)
{
    QStringList made;
    auto make = [&made](const QString& path) {
        if (fs::makeFolder(path) == fs::Result::Ok)
            made << path;
    };
    const QString w = Working_Folder_Of(folder);
    const QStringList existing = fs::listFolders(folder);
    // Exact names: a "working-pages" folder is not the site's folder.
    if (!existing.contains(Working_Pages, Qt::CaseSensitive))
        make(w + Working_Pages);
    if (!existing.contains(Final_Pages, Qt::CaseSensitive))
        make(w + Final_Pages);
    const QString finalPages = w + Final_Pages + fs::separator();
    if (!fs::folderExists(finalPages + Images))
        make(finalPages + Images);
    if (!fs::folderExists(finalPages + Backgrounds))
        make(finalPages + Backgrounds);
    return made;
}

QString Working_Folder_Of(const QString& folderPath)
{
    return fs::withSeparator(folderPath);
}

void Set_Working_Folder(SharedState& s, const QString& folderPath)
{
    s.Working_Folder = Working_Folder_Of(folderPath);
    Derive_Site_Folders(s);
    s.Status_Folder_Panel.setText(s.Working_Folder);
}

// ---- new folders -----------------------------------------------------------

namespace {

QString withoutOneTrailingSeparator(const QString& typed)
{
    if (typed.endsWith(QLatin1Char('/')) || typed.endsWith(QLatin1Char('\\')))
        return typed.left(typed.size() - 1);
    return typed;
}

} // namespace

bool Is_Plain_Folder_Name(const QString& typed)
{
    const QString name = withoutOneTrailingSeparator(typed);
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QLatin1String(".."));
}

QString New_Folder_Failure(const QString& typed)
{
    return typed + QStringLiteral(" could not be created. ");
}

NewFolder Make_New_Folder(const QString& shownFolder, const QString& typed)
{
    if (shownFolder.isEmpty())
        return {fs::Result::PathNotFound, QString()};
    if (!Is_Plain_Folder_Name(typed))
        return {fs::Result::PermissionDenied, QString()};
    const QString path = fs::withSeparator(shownFolder) + withoutOneTrailingSeparator(typed);
    return {fs::makeFolder(path), path};
}

// ---- drives --------------------------------------------------------------

namespace {

// Kernel and system file systems: nothing a site could live on.
bool isPseudoType(const QByteArray& type)
{
    static const QByteArray pseudo[] = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "debugfs",
        "tracefs", "pstore", "bpf", "mqueue", "hugetlbfs", "configfs", "fusectl", "autofs",
        "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "squashfs", "ramfs",
    };
    return std::find(std::begin(pseudo), std::end(pseudo), type) != std::end(pseudo);
}

bool underSystemFolder(const QString& root)
{
    static const QString system[] = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                     QStringLiteral("/dev"), QStringLiteral("/run"),
                                     QStringLiteral("/snap")};
    // Removable media are mounted under /run/media on many systems.
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    for (const QString& s : system)
        if (root == s || root.startsWith(s + QLatin1Char('/')))
            return true;
    return false;
}

} // namespace

QStringList Usable_Drives(const QList<Volume>& volumes)
{
    QStringList drives;
    for (const Volume& v : volumes) {
        if (!v.valid || !v.ready || !v.readable || v.root.isEmpty())
            continue;
        const QString root = fs::withoutSeparator(v.root);
        if (isPseudoType(v.type) || underSystemFolder(root))
            continue;
        // Memory-backed scratch space, except the shared temporary folder.
        if (v.type == "tmpfs" && root != QLatin1String("/tmp"))
            continue;
        drives << fs::withSeparator(root);
    }
    drives.sort();
    drives.removeDuplicates();
    return drives;
}

QStringList Available_Drives()
{
    QList<Volume> volumes;
    const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& info : mounted) {
        const QFileInfo root(info.rootPath());
        volumes.append(Volume{info.rootPath(), info.fileSystemType(), info.isValid(), info.isReady(),
                              root.isDir() && root.isReadable()});
    }
    return Usable_Drives(volumes);
}

QString Drive_Of(const QString& path)
{
    return fs::rootOf(path);
}

bool Drive_Available(const QString& drive)
{
    if (!fs::folderExists(drive))
        return false;
    return QFileInfo(drive).isReadable();
}

// ---- placement --------------------------------------------------------------

DialogPlacement Place_Working_Dialog(const QSize& client, const QSize& dialog, int helpShown,
                                     const QPoint& mainWindow, const QPoint& helpWindow)
{
    DialogPlacement p;
    int left = qRound((client.width() - dialog.width()) / 2.0);
    int top = qRound((client.height() - dialog.height()) / 2.0);
    if (helpShown > 0) {
        left = 60;
        top = 60;
        p.help = helpWindow;
        if (mainWindow.x() + 450 > helpWindow.x()) {
            p.help.setX(mainWindow.x() + 1000);
            p.moveHelp = true;
        }
        if (mainWindow.y() + 1500 > helpWindow.y()) {
            p.help.setY(mainWindow.y() + 2000);
            p.moveHelp = true;
        }
    }
    p.dialog = QPoint(left, top);
    p.moveDialog = left > 0 && top > 0;
    return p;
}

DialogPlacement Place_Folder_Picker(int helpShown, const QPoint& helpWindow)
{
    DialogPlacement p;
    if (helpShown <= 0)
        return p;
    p.help = helpWindow;
    if (helpWindow.x() < 450) {
        p.help.setX(1000);
        p.moveHelp = true;
    }
    if (helpWindow.y() < 1500) {
        p.help.setY(2000);
        p.moveHelp = true;
    }
    p.moveDialog = true;
    p.dialog = QPoint(60, 850);
    return p;
}

} // namespace site
