#include "logic_support.h"

#include "platform/file_system.h"

#include "core/shared_state.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace tesk::test {

TempSite::TempSite()
{
    QDir root(dir_.path());
    root.mkpath(QStringLiteral("program/References"));
    root.mkpath(QStringLiteral("site/Working-Pages"));
    root.mkpath(QStringLiteral("site/Final-Pages/Images"));
    root.mkpath(QStringLiteral("site/Final-Pages/Backgrnd"));
    // The editor's own behaviour is tested as it was before these options:
    // the colours left to the user, no line numbers, no tags closed or
    // names completed, a start with no page open, no marks over the text
    // (matching tags, misspelt words).
    // Their own tests switch them on.
    writeFile(path(QStringLiteral("program/Tesk Web Editor Options.ini")),
              "Color_While_Typing=0\r\nLine_Numbers=0\r\nClose_Tags=0\r\nComplete_Names=0\r\n"
              "Reopen_Last_Page=0\r\nMatch_Tags=0\r\nSpell_While_Typing=0\r\n");
}

QString TempSite::programFolder() const { return dir_.path() + QStringLiteral("/program/"); }
QString TempSite::workingFolder() const { return dir_.path() + QStringLiteral("/site/"); }
QString TempSite::path(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }

void TempSite::apply() const
{
    SharedState& s = state();
    s.Program_Folder = programFolder();
    s.Working_Folder = workingFolder();
    s.Help_File = programFolder() + QStringLiteral("TeskEdit.htm");
    Derive_Site_Folders(s);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

void fullDisk(const QString& part)
{
    if (part.isEmpty())
        qunsetenv(fs::Full_Disk_Variable);
    else
        qputenv(fs::Full_Disk_Variable, part.toUtf8());
}

void setReadOnly(const QString& path, bool readOnly)
{
    QFile f(path);
    QFileDevice::Permissions p = f.permissions();
    const QFileDevice::Permissions write = QFileDevice::WriteOwner | QFileDevice::WriteUser
        | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    f.setPermissions(readOnly ? (p & ~write) : (p | QFileDevice::WriteOwner | QFileDevice::WriteUser));
}

QString dataPath(const QString& name) { return QStringLiteral(TESK_TEST_DATA "/") + name; }

FullFileSystem::FullFileSystem(const QString& folder)
    : folder_(QDir(folder).absolutePath())
{
#ifdef Q_OS_LINUX
    if (::geteuid() != 0) {
        whyNot_ = QStringLiteral("mounting a full file system needs root");
        return;
    }
    // What the folder holds, to be put back on the new file system.
    QMap<QString, QByteArray> files;
    QStringList folders;
    qint64 bytes = 0;
    for (QDirIterator it(folder_, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        const QString relative = path.mid(folder_.size() + 1);
        if (it.fileInfo().isDir()) {
            folders << relative;
        } else {
            files.insert(relative, readFile(path));
            bytes += files.last().size();
        }
    }
    // Each file takes whole pages; room for them and a little more.
    const qint64 size = 64 * 1024 + bytes + 4096 * (files.size() + folders.size());
    const QByteArray options = "size=" + QByteArray::number(size) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData())
        != 0) {
        whyNot_ = QStringLiteral("mount failed: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
    QDir root(folder_);
    for (const QString& f : folders)
        root.mkpath(f);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (!writeFile(folder_ + QLatin1Char('/') + it.key(), it.value()))
            whyNot_ = QStringLiteral("could not copy ") + it.key();
    // Page by page, then byte by byte for whatever a partial page left.
    const int fd = ::open(QFile::encodeName(folder_ + QLatin1Char('/') + QLatin1String(Filler)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        whyNot_ = QStringLiteral("no filler file");
        return;
    }
    const QByteArray page(4096, 'f');
    while (::write(fd, page.constData(), page.size()) > 0) {
    }
    while (::write(fd, page.constData(), 1) > 0) {
    }
    ::close(fd);
    if (available() != 0)
        whyNot_ = QStringLiteral("the file system did not fill up");
#else
    whyNot_ = QStringLiteral("mounting a full file system is done on Linux only");
#endif
}

FullFileSystem::~FullFileSystem()
{
#ifdef Q_OS_LINUX
    // Detached, so a file the program still holds open cannot keep it there.
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
#endif
}

qint64 FullFileSystem::available() const
{
#ifdef Q_OS_LINUX
    struct statvfs v {};
    if (::statvfs(QFile::encodeName(folder_).constData(), &v) != 0)
        return -1;
    return qint64(v.f_bavail) * qint64(v.f_frsize);
#else
    return -1;
#endif
}

} // namespace tesk::test
