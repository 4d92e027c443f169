#include "platform/file_append.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace fs {

Result appendInPlace(const QString& path, const QByteArray& bytes)
{
    const bool existed = QFileInfo::exists(path);
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return Result::PathNotFound;
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return errno == EACCES || errno == EPERM || errno == EROFS ? Result::PermissionDenied : Result::IoError;
    if (!existed)
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const qint64 before = f.size();
    const QString part = qEnvironmentVariable(Full_Disk_Variable);
    const bool full = !part.isEmpty() && path.contains(part);
    errno = 0;
    if (!full && f.write(bytes) == bytes.size() && f.flush())
        return Result::Ok;
    const int err = errno;
    f.resize(before);
    f.close();
    if (!existed)
        f.remove();
    if (full || err == ENOSPC || f.error() == QFileDevice::ResourceError)
        return Result::DiskFull;
    return err == EACCES || err == EPERM || err == EROFS ? Result::PermissionDenied : Result::IoError;
}

} // namespace fs
