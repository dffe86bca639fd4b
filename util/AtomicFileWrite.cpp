#include "util/AtomicFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileWriteFunction g_write = &::write;

QString ReasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool Fail(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return false;
}

bool FailWithErrno(QString* why, int error)
{
    return Fail(why, ReasonOf(error));
}

// The file a write to path changes: a symbolic link is followed, so that
// the link stays and its target gets the new content.
QString ResolvedTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        return info.canonicalFilePath();
    return info.absoluteFilePath();
}

bool WriteAll(int fd, const QByteArray& bytes, int* error)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = g_write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (written == 0) {
            *error = ENOSPC; // a write that makes no progress never will
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Opens a new, uniquely named file in folder for writing; -1 with errno
// set when none can be made.
int CreateTemporary(const QString& folder, QByteArray* name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QDir(folder).filePath(
            QStringLiteral(".nacreform-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        *name = QFile::encodeName(candidate);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

FileWriteFunction SetFileWriteFunction(FileWriteFunction write)
{
    const FileWriteFunction previous = g_write;
    g_write = write ? write : &::write;
    return previous;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* why)
{
    if (path.isEmpty())
        return FailWithErrno(why, ENOENT);
    const QString target = ResolvedTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing;
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return FailWithErrno(why, EISDIR);
        if (!S_ISREG(existing.st_mode))
            return Fail(why, QStringLiteral("not a regular file"));
        if (!(existing.st_mode & S_IWUSR))
            return FailWithErrno(why, EACCES);
    } else if (errno != ENOENT) {
        return FailWithErrno(why, errno);
    }
    const QString folder = QFileInfo(target).absolutePath();
    struct stat folderStat;
    if (::stat(QFile::encodeName(folder).constData(), &folderStat) != 0)
        return FailWithErrno(why, errno);
    if (!S_ISDIR(folderStat.st_mode))
        return FailWithErrno(why, ENOTDIR);
    if (!(folderStat.st_mode & S_IWUSR))
        return FailWithErrno(why, EACCES);

    QByteArray temporary;
    const int fd = CreateTemporary(folder, &temporary);
    if (fd < 0)
        return FailWithErrno(why, errno);
    int error = 0;
    bool ok = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0 || (error = errno, false);
    ok = ok && WriteAll(fd, bytes, &error);
    // A full disk may show only here, when delayed blocks are allocated.
    ok = ok && (::fdatasync(fd) == 0 || (error = errno, false));
    // close reports late write errors of some file systems (NFS), so its
    // result counts as much as the writes'.
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    ok = ok && (::rename(temporary.constData(), targetName.constData()) == 0 || (error = errno, false));
    if (!ok) {
        ::unlink(temporary.constData());
        return FailWithErrno(why, error);
    }
    return true;
}
