#include "export/OutputFolder.h"

#include "util/QuotedValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// f_type of the file systems that ignore letter case in every folder.
constexpr long kCaseIgnoringFileSystems[] = {
    0x4d44,     // FAT
    0x2011BAB0, // exFAT
    0x482b,     // HFS+
    0xFF534D42, // CIFS
    0xFE534D42, // SMB2
    0x517B,     // SMB
};

bool FolderIgnoresCase(const QByteArray& folder)
{
    struct statfs info;
    if (::statfs(folder.constData(), &info) == 0) {
        for (long type : kCaseIgnoringFileSystems) {
            if (long(info.f_type) == type)
                return true;
        }
    }
    // ext4 and F2FS fold case in the folders that are marked for it.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool folds = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL);
    ::close(fd);
    return folds;
}

QString CanonicalPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    // A link that leads nowhere: its folder, as far as it exists.
    const QString folder = info.absolutePath();
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    return (canonicalFolder.isEmpty() ? folder : canonicalFolder) + QLatin1Char('/') + info.fileName();
}

} // namespace

COutputFolder::COutputFolder(const QString& folder, const QStringList& inputs, ELetterCase letterCase)
    : m_folder(folder), m_canonical(QFileInfo(folder).canonicalFilePath())
{
    m_ignoresCase = letterCase == ELetterCase::Ignored
                    || (!m_canonical.isEmpty() && FolderIgnoresCase(QFile::encodeName(m_canonical)));
    for (const QString& input : inputs)
        AddInput(input);
}

void COutputFolder::AddInput(const QString& path)
{
    struct stat info;
    if (!path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0)
        m_inputs.insert({quint64(info.st_dev), quint64(info.st_ino)});
}

QString COutputFolder::FilePath(const QString& fileName) const
{
    return QDir(m_folder).filePath(fileName);
}

QString COutputFolder::Claim(const QString& fileName, int owner)
{
    const QString path = FilePath(fileName);
    const QByteArray encoded = QFile::encodeName(path);
    QString seenAs = fileName;
    struct stat info;
    if (::lstat(encoded.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
        const QString target = CanonicalPath(QFileInfo(path).symLinkTarget());
        if (m_canonical.isEmpty() || !target.startsWith(m_canonical + QLatin1Char('/')))
            return QuotedValue(fileName) + QStringLiteral(" is a symbolic link to ") + QuotedValue(target)
                   + QStringLiteral(", outside the folder; it is not followed");
        seenAs = target.mid(m_canonical.size() + 1);
    }
    if (::stat(encoded.constData(), &info) == 0 && m_inputs.contains({quint64(info.st_dev), quint64(info.st_ino)}))
        return QuotedValue(fileName) + QStringLiteral(" is one of the files this run reads");

    const QString key = m_ignoresCase ? seenAs.toCaseFolded() : seenAs;
    const auto earlier = m_claims.constFind(key);
    if (earlier == m_claims.cend()) {
        m_claims.insert(key, {fileName, owner});
        return {};
    }
    const QString asOneFile = earlier->fileName == fileName
                                  ? QString()
                                  : QStringLiteral(" (as ") + QuotedValue(earlier->fileName)
                                        + QStringLiteral(": one file in this folder)");
    if (earlier->owner == owner)
        return QStringLiteral("two files would be ") + QuotedValue(fileName) + asOneFile;
    return QuotedValue(fileName) + QStringLiteral(" is also a file of row ") + QString::number(earlier->owner)
           + asOneFile;
}
