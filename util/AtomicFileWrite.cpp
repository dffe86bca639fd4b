#include "util/AtomicFileWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <signal.h>
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

// Temporary files are named ".nacreform-MACHINE-PID-RANDOM.tmp", so that a
// later run can tell whether their writer still runs.
const QString kTemporaryPrefix = QStringLiteral(".nacreform-");
const QString kTemporarySuffix = QStringLiteral(".tmp");

// This machine, as 8 hex digits that stay the same across its restarts.
const QString& MachineTag()
{
    static const QString tag = QString::fromLatin1(
        QCryptographicHash::hash(QSysInfo::machineUniqueId() + QSysInfo::machineHostName().toUtf8(),
                                 QCryptographicHash::Sha1)
            .left(4)
            .toHex());
    return tag;
}

// Opens a new, uniquely named file in folder for writing; -1 with errno
// set when none can be made.
int CreateTemporary(const QString& folder, QByteArray* name)
{
    const QString stem = kTemporaryPrefix + MachineTag() + QLatin1Char('-') + QString::number(::getpid())
                         + QLatin1Char('-');
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString random = QString::number(QRandomGenerator::global()->generate(), 16);
        *name = QFile::encodeName(QDir(folder).filePath(stem + random + kTemporarySuffix));
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Whether process pid of this machine has ended; a process that exists but
// belongs to someone else still runs.
bool HasEnded(qint64 pid)
{
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

FileWriteFunction SetFileWriteFunction(FileWriteFunction write)
{
    const FileWriteFunction previous = g_write;
    g_write = write ? write : &::write;
    return previous;
}

CStagedFile::~CStagedFile()
{
    Discard();
}

CStagedFile::CStagedFile(CStagedFile&& other) noexcept
    : m_temporary(std::exchange(other.m_temporary, {})), m_target(std::exchange(other.m_target, {}))
{
}

CStagedFile& CStagedFile::operator=(CStagedFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_temporary = std::exchange(other.m_temporary, {});
        m_target = std::exchange(other.m_target, {});
    }
    return *this;
}

void CStagedFile::Discard()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

bool CStagedFile::Stage(const QString& path, const QByteArray& bytes, QString* why)
{
    Discard();
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
    if (!ok) {
        ::unlink(temporary.constData());
        return FailWithErrno(why, error);
    }
    m_temporary = temporary;
    m_target = targetName;
    return true;
}

bool CStagedFile::Commit(QString* why)
{
    if (m_temporary.isEmpty())
        return FailWithErrno(why, ENOENT);
    if (::rename(m_temporary.constData(), m_target.constData()) != 0) {
        const int error = errno;
        Discard();
        return FailWithErrno(why, error);
    }
    m_temporary.clear();
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* why)
{
    CStagedFile file;
    return file.Stage(path, bytes, why) && file.Commit(why);
}

int RemoveStaleTemporaries(const QString& folder)
{
    const QString mine = kTemporaryPrefix + MachineTag() + QLatin1Char('-');
    const QDir dir(folder);
    int removed = 0;
    for (const QString& name : dir.entryList({mine + QStringLiteral("*") + kTemporarySuffix},
                                             QDir::Files | QDir::Hidden | QDir::System)) {
        const QStringView rest = QStringView(name).mid(mine.size());
        bool ok = false;
        const qint64 pid = rest.left(rest.indexOf(u'-')).toLongLong(&ok);
        if (ok && HasEnded(pid) && ::unlink(QFile::encodeName(dir.filePath(name)).constData()) == 0)
            ++removed;
    }
    return removed;
}
