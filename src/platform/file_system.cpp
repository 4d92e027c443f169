#include "platform/file_system.h"

#include "platform/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs {

namespace {

// The read-only flag is honoured from the permission bits, not from what the
// operating system would allow this process: running as an administrator must
// not turn a page the user protected into one the editor overwrites.
bool ownerCanWrite(const QString& path)
{
    const QFileInfo info(path);
    return info.permissions().testFlag(QFileDevice::WriteOwner);
}

Result classifyErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return Result::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return Result::PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return Result::DiskFull;
    default:
        return Result::IoError;
    }
}

// Checks made before any write so that the answer does not depend on the
// process's privileges or on what a half-done write left behind. A link is
// judged by the file it points to: that is the file a save replaces.
Result checkWritable(const QString& path)
{
    QFileInfo info(path);
    if (info.exists() && info.isSymLink())
        info = QFileInfo(info.canonicalFilePath());
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return Result::PathNotFound;
    if (info.exists()) {
        if (!info.isFile())
            return Result::PermissionDenied;
        if (!info.permissions().testFlag(QFileDevice::WriteOwner))
            return Result::PermissionDenied;
    }
    if (!ownerCanWrite(folder))
        return Result::PermissionDenied;
    return Result::Ok;
}

bool fullDiskFor(const QString& path)
{
    const QString part = qEnvironmentVariable(Full_Disk_Variable);
    return !part.isEmpty() && path.contains(part);
}

// What a write that runs out of space leaves: some bytes in the temporary
// file, which is dropped.
Result failAsFullDisk(QSaveFile& f, const char* data, qint64 size)
{
    f.write(data, size / 2);
    f.cancelWriting();
    return Result::DiskFull;
}

// Why the device failed: errno as the failing call left it, else what Qt
// recorded (a full disk is its resource error).
Result failureOf(const QFileDevice& f, int err)
{
    if (err)
        return classifyErrno(err);
    return f.error() == QFileDevice::ResourceError ? Result::DiskFull : Result::IoError;
}

// Ends a write begun with QSaveFile. A page smaller than QSaveFile's buffer
// is still in memory when write() reports success; its real write happens in
// commit(), which renames the temporary file over the old one even when that
// write ran out of space. So the bytes are pushed out and made durable here,
// and only a temporary known to be whole replaces the file.
Result finishWrite(QSaveFile& f)
{
    errno = 0;
    if (!f.flush()) {
        const Result r = failureOf(f, errno);
        f.cancelWriting();
        return r;
    }
#ifdef Q_OS_UNIX
    // Some file systems (NFS, quotas, thin storage) report a full disk only
    // when the data reaches the device.
    if (const int fd = f.handle(); fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        const Result r = classifyErrno(errno);
        f.cancelWriting();
        return r;
    }
#endif
    errno = 0;
    if (!f.commit())
        return failureOf(f, errno);
    return Result::Ok;
}

} // namespace

QString describe(Result r)
{
    switch (r) {
    case Result::Ok: return QStringLiteral("no error");
    case Result::NotFound: return QStringLiteral("the file does not exist");
    case Result::PathNotFound: return QStringLiteral("the folder does not exist");
    case Result::PermissionDenied: return QStringLiteral("the file or folder is read-only");
    case Result::DiskFull: return QStringLiteral("the disk is full");
    case Result::IoError: return QStringLiteral("the file could not be read or written");
    case Result::NotRegularFile: return QStringLiteral("it is not an ordinary file");
    case Result::TooLarge:
        return QStringLiteral("the file is larger than %1 MB").arg(kMaxReadBytes / (1024 * 1024));
    case Result::NotText: return QStringLiteral("it is not a text file");
    }
    return QString();
}

// ---- paths -------------------------------------------------------------

QChar separator() { return QLatin1Char('/'); }

bool isRoot(const QString& path)
{
    if (path == QLatin1String("/"))
        return true;
    // "C:/" or "C:\" on Windows-style paths.
    return path.size() == 3 && path[1] == QLatin1Char(':')
        && (path[2] == QLatin1Char('/') || path[2] == QLatin1Char('\\'));
}

QString withSeparator(const QString& path)
{
    if (path.isEmpty())
        return path;
    if (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))
        return path;
    return path + separator();
}

QString withoutSeparator(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\')))
           && !isRoot(p))
        p.chop(1);
    return p;
}

QString fileName(const QString& path)
{
    const QString p = withoutSeparator(path);
    if (isRoot(p))
        return QString();
    const qsizetype i = std::max(p.lastIndexOf(QLatin1Char('/')), p.lastIndexOf(QLatin1Char('\\')));
    return p.mid(i + 1);
}

QString parentFolder(const QString& path)
{
    const QString p = withoutSeparator(path);
    const qsizetype i = std::max(p.lastIndexOf(QLatin1Char('/')), p.lastIndexOf(QLatin1Char('\\')));
    if (i < 0)
        return QString();
    if (i == 0)
        return QStringLiteral("/");
    if (i == 2 && p[1] == QLatin1Char(':'))
        return p.left(3);
    return p.left(i);
}

QString extension(const QString& path)
{
    const QString name = fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString baseName(const QString& path)
{
    const QString name = fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString rootOf(const QString& path)
{
    if (path.size() >= 2 && path[1] == QLatin1Char(':'))
        return path.left(2) + separator();
    QStorageInfo info(path);
    if (info.isValid() && !info.rootPath().isEmpty())
        return withSeparator(info.rootPath());
    return QStringLiteral("/");
}

// ---- existence, listing ----------------------------------------------

bool fileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }
bool folderExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }
bool exists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

static QStringList splitPatterns(const QString& patterns)
{
    QStringList out;
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out << p.trimmed();
    return out;
}

QStringList listFiles(const QString& folder, const QString& patterns)
{
    if (!folderExists(folder))
        return {};
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QStringList filters = splitPatterns(patterns);
    if (!filters.isEmpty())
        dir.setNameFilters(filters);
    return dir.entryList();
}

QStringList listFolders(const QString& folder)
{
    if (!folderExists(folder))
        return {};
    QDir dir(folder);
    dir.setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

QString findCaseInsensitive(const QString& folder, const QString& name)
{
    const QString base = withSeparator(folder);
    if (QFileInfo::exists(base + name))
        return base + name;
    QDir dir(folder);
    if (!dir.exists())
        return QString();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot
                                              | QDir::Hidden, QDir::Name);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return base + e;
    return QString();
}

QDateTime modified(const QString& path) { return QFileInfo(path).lastModified(); }
qint64 size(const QString& path) { return QFileInfo(path).size(); }

bool isReadOnly(const QString& path)
{
    return exists(path) && !ownerCanWrite(path);
}

bool folderReadable(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// ---- changes made by other programs -------------------------------------

FileStamp stamp(const QString& path)
{
    FileStamp st;
#ifdef Q_OS_UNIX
    // stat() for the nanoseconds and the inode QFileInfo does not give; a
    // link is followed, as the writes follow it.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return st;
    st.exists = true;
    st.size = qint64(info.st_size);
    st.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000LL + qint64(info.st_mtim.tv_nsec);
    st.device = quint64(info.st_dev);
    st.inode = quint64(info.st_ino);
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return st;
    st.exists = true;
    st.size = info.size();
    st.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000LL;
#endif
    return st;
}

bool changedSince(const FileStamp& recorded, const FileStamp& now)
{
    return now.exists && now != recorded;
}

// ---- text ----------------------------------------------------------------

QString decodeText(const QByteArray& bytes) { return textenc::decode(bytes); }

QByteArray encodeText(const QString& text) { return textenc::encode(text); }

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QString joinLines(const QStringList& lines)
{
    QString out;
    qsizetype total = 0;
    for (const QString& l : lines)
        total += l.size() + 2;
    out.reserve(total);
    for (const QString& l : lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

namespace {

Result checkReadable(const QFileInfo& info)
{
    if (!QFileInfo(info.absolutePath()).isDir())
        return Result::PathNotFound;
    if (!info.exists())
        return Result::NotFound;
    if (info.isDir())
        return Result::PermissionDenied;
    // A pipe would wait for a writer for ever, a device may never end.
    if (!info.isFile())
        return Result::NotRegularFile;
    return Result::Ok;
}

} // namespace

Result readStart(const QString& path, qint64 count, QByteArray& out)
{
    out.clear();
    const QFileInfo info(path);
    if (const Result r = checkReadable(info); r != Result::Ok)
        return r;
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        return errno ? classifyErrno(errno) : Result::IoError;
    QByteArray bytes = f.read(qMax<qint64>(count, 0));
    if (f.error() != QFileDevice::NoError)
        return Result::IoError;
    out = std::move(bytes);
    return Result::Ok;
}

Result readBytes(const QString& path, QByteArray& out)
{
    out.clear();
    const QFileInfo info(path);
    if (const Result r = checkReadable(info); r != Result::Ok)
        return r;
    if (info.size() > kMaxReadBytes)
        return Result::TooLarge;
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        return errno ? classifyErrno(errno) : Result::IoError;
    // Asking QFile for the whole limit at once would set aside 64 MB for
    // every small list file; ask for what the file holds and go on only if
    // it grew between the look and the read.
    QByteArray bytes = f.read(info.size() + 1);
    while (bytes.size() <= kMaxReadBytes && f.error() == QFileDevice::NoError && !f.atEnd()) {
        const QByteArray more = f.read(qMin<qint64>(1 << 16, kMaxReadBytes + 1 - bytes.size()));
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (f.error() != QFileDevice::NoError)
        return Result::IoError;
    if (bytes.size() > kMaxReadBytes)
        return Result::TooLarge;
    out = std::move(bytes);
    return Result::Ok;
}

Result readText(const QString& path, QString& out)
{
    QByteArray bytes;
    const Result r = readBytes(path, bytes);
    out = r == Result::Ok ? decodeText(bytes) : QString();
    return r;
}

Result readLines(const QString& path, QStringList& out)
{
    QString text;
    const Result r = readText(path, text);
    out = r == Result::Ok ? splitLines(text) : QStringList();
    return r;
}

Result writeBytes(const QString& path, const QByteArray& bytes)
{
    if (const Result pre = checkWritable(path); pre != Result::Ok)
        return pre;
    QSaveFile f(path);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        return errno ? classifyErrno(errno) : Result::IoError;
    if (fullDiskFor(path))
        return failAsFullDisk(f, bytes.constData(), bytes.size());
    errno = 0;
    if (f.write(bytes) != bytes.size()) {
        const Result r = failureOf(f, errno);
        f.cancelWriting();
        return r;
    }
    return finishWrite(f);
}

Result writeText(const QString& path, const QString& text)
{
    return writeBytes(path, encodeText(text));
}

Result writeLines(const QString& path, const QStringList& lines)
{
    return writeText(path, joinLines(lines));
}

Result appendText(const QString& path, const QString& text)
{
    // Read and written whole: appending in place would leave part of the
    // text in the file when the disk fills up halfway.
    QByteArray bytes;
    if (QFileInfo::exists(path)) {
        if (const Result r = readBytes(path, bytes); r != Result::Ok)
            return r;
    }
    if (textenc::byteOrderMark(bytes).encoding != textenc::Encoding::Utf8)
        return writeBytes(path, encodeText(decodeText(bytes) + text));
    return writeBytes(path, bytes + encodeText(text));
}

// ---- files and folders -----------------------------------------------

static Result copyBytes(const QString& from, const QString& to, bool overwrite)
{
    const QFileInfo src(from);
    if (!src.exists())
        return QFileInfo(src.absolutePath()).isDir() ? Result::NotFound : Result::PathNotFound;
    if (QFileInfo::exists(to) && !overwrite)
        return Result::PermissionDenied;
    if (const Result pre = checkWritable(to); pre != Result::Ok)
        return pre;
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return Result::IoError;
    QSaveFile out(to);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly))
        return errno ? classifyErrno(errno) : Result::IoError;
    if (fullDiskFor(to)) {
        const QByteArray start = in.read(1 << 16);
        return failAsFullDisk(out, start.constData(), start.size());
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            return Result::IoError;
        }
        if (got == 0)
            break;
        errno = 0;
        if (out.write(buffer, got) != got) {
            const Result r = failureOf(out, errno);
            out.cancelWriting();
            return r;
        }
    }
    return finishWrite(out);
}

namespace {

// A copy carries the original's time and mode: one that looked newer than
// its original would be taken for the newer work by every later copy and
// publish, and one that lost the read-only mark would lose the protection.
// The bytes are in place by now, so a file system that keeps neither does
// not undo the copy.
void keepTimeAndMode(const QString& from, const QString& to)
{
    const QFileInfo src(from);
    QFile copy(to);
    if (copy.open(QIODevice::ReadOnly)) {
        copy.setFileTime(src.lastModified(), QFileDevice::FileModificationTime);
        copy.close();
    }
    // The "user" flags say what this process may do (everything, for an
    // administrator), and Qt would set the owner's bits from them too.
    QFile::setPermissions(to, src.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser
                                                    | QFileDevice::ExeUser));
}

// A name beside path that nothing has, for a file made before it takes path's
// place.
QString freeNameBeside(const QString& path)
{
    for (int n = 0;; ++n) {
        const QString candidate = path + QStringLiteral(".tesk-copy") + (n ? QString::number(n) : QString());
        const QFileInfo info(candidate);
        if (!info.exists() && !info.isSymLink())
            return candidate;
    }
}

} // namespace

Result copyFile(const QString& from, const QString& to, bool overwrite)
{
    if (!QFileInfo(to).isSymLink()) {
        const Result r = copyBytes(from, to, overwrite);
        if (r == Result::Ok)
            keepTimeAndMode(from, to);
        return r;
    }
    // Writing to a link would write to the file it points to, which may lie
    // anywhere: the copy is made beside the link and then takes its place.
    if (!overwrite)
        return Result::PermissionDenied;
    const QString temporary = freeNameBeside(to);
    if (const Result r = copyBytes(from, temporary, false); r != Result::Ok)
        return r;
    keepTimeAndMode(from, temporary);
    errno = 0;
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(to).constData()) != 0) {
        const int err = errno;
        QFile::remove(temporary);
        return classifyErrno(err);
    }
    return Result::Ok;
}

bool isLink(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isSymLink();
}

bool throughLink(const QString& folder, const QString& relative)
{
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString at = withoutSeparator(folder);
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        at += QLatin1Char('/') + parts[i];
        if (QFileInfo(at).isSymLink())
            return true;
    }
    return false;
}

Result deleteFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? Result::NotFound : Result::PathNotFound;
    if (!ownerCanWrite(info.absolutePath()))
        return Result::PermissionDenied;
    QFile f(path);
    if (!ownerCanWrite(path))
        f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    errno = 0;
    if (!f.remove())
        return errno ? classifyErrno(errno) : Result::IoError;
    return Result::Ok;
}

Result removeFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QFileInfo(info.absolutePath()).isDir() ? Result::NotFound : Result::PathNotFound;
    if (!ownerCanWrite(info.absolutePath()) || (!info.isSymLink() && !ownerCanWrite(path)))
        return Result::PermissionDenied;
    errno = 0;
    if (!QFile::remove(path))
        return errno ? classifyErrno(errno) : Result::IoError;
    return Result::Ok;
}

QString canonicalPath(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

static void listTreeInto(const QString& base, const QString& prefix, QList<TreeEntry>& out)
{
    QDir dir(base + prefix);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& e : entries) {
        const QString relative = prefix + e.fileName();
        if (e.isSymLink()) {
            out.append({relative, TreeEntry::Kind::Link});
        } else if (e.isDir()) {
            out.append({relative, TreeEntry::Kind::Folder});
            listTreeInto(base, relative + QLatin1Char('/'), out);
        } else {
            out.append({relative, TreeEntry::Kind::File});
        }
    }
}

QList<TreeEntry> listTree(const QString& folder)
{
    QList<TreeEntry> out;
    if (folderExists(folder))
        listTreeInto(withSeparator(folder), QString(), out);
    return out;
}

Result copyLink(const QString& from, const QString& to)
{
    if (!QFileInfo(from).isSymLink())
        return Result::NotFound;
    if (const Result pre = checkWritable(to); pre != Result::Ok && !QFileInfo(to).isSymLink())
        return pre;
#ifdef Q_OS_UNIX
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(from).constData(), target.data(), target.size());
    if (n < 0)
        return classifyErrno(errno);
    target.truncate(n);
    const QString linkTarget = QFile::decodeName(target);
#else
    const QString linkTarget = QFileInfo(from).symLinkTarget();
#endif
    const QString temporary = to + QStringLiteral(".tesk-link");
    QFile::remove(temporary);
    errno = 0;
    if (!QFile::link(linkTarget, temporary))
        return errno ? classifyErrno(errno) : Result::IoError;
    errno = 0;
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(to).constData()) != 0) {
        const int err = errno;
        QFile::remove(temporary);
        return classifyErrno(err);
    }
    return Result::Ok;
}

Result renameFile(const QString& from, const QString& to)
{
    if (!QFileInfo::exists(from))
        return Result::NotFound;
    if (QFileInfo::exists(to))
        return Result::PermissionDenied;
    if (const Result pre = checkWritable(to); pre != Result::Ok)
        return pre;
    if (!ownerCanWrite(QFileInfo(from).absolutePath()))
        return Result::PermissionDenied;
    errno = 0;
    if (!QFile::rename(from, to))
        return errno ? classifyErrno(errno) : Result::IoError;
    return Result::Ok;
}

Result moveToTrash(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? Result::NotFound : Result::PathNotFound;
    if (!ownerCanWrite(info.absolutePath()))
        return Result::PermissionDenied;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // The home trash lives in the data folder; on an account that never ran
    // a desktop that folder is missing, and the trash would then be made in
    // the current folder. Make it as a desktop would.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return Result::IoError;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Only a real trash folder counts: ".../Trash/files", ".Trash-<uid>/files"
    // or ".Trash/<uid>/files". Anything else is put back.
    const QStringList parts = QFileInfo(inTrash).absoluteFilePath().split(QLatin1Char('/'));
    const auto part = [&parts](qsizetype fromEnd) {
        return parts.size() > fromEnd ? parts[parts.size() - 1 - fromEnd] : QString();
    };
    if (part(1) != QLatin1String("files")
        || !(part(2) == QLatin1String("Trash") || part(2).startsWith(QLatin1String(".Trash-"))
             || part(3) == QLatin1String(".Trash"))) {
        const QString trash = QFileInfo(QFileInfo(inTrash).absolutePath()).absolutePath();
        QFile::rename(inTrash, info.absoluteFilePath());
        QFile::remove(trash + QStringLiteral("/info/") + part(0) + QStringLiteral(".trashinfo"));
        return Result::IoError;
    }
#endif
    return Result::Ok;
}

Result makeFolder(const QString& path)
{
    const QString p = withoutSeparator(path);
    const QFileInfo info(p);
    if (info.isDir())
        return Result::Ok;
    if (info.exists())
        return Result::PermissionDenied;
    const QString parent = info.absolutePath();
    if (!QFileInfo(parent).isDir())
        return Result::PathNotFound;
    if (!ownerCanWrite(parent))
        return Result::PermissionDenied;
    errno = 0;
    if (!QDir().mkdir(p))
        return errno ? classifyErrno(errno) : Result::IoError;
    return Result::Ok;
}

} // namespace fs
