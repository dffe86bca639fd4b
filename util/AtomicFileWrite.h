#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A file's new content written beside it, not yet in place: the first half
// of an atomic write, so that several files can be written first and all
// put in place after (a set of files that is all old or all new).
//
// Stage writes the bytes to a temporary file in the target's folder; every
// write, the flush to the disk and the close are checked. Commit renames it
// over the target, which keeps its permission bits. A staged file never
// committed is removed when the object goes. A symbolic link is followed:
// the link stays and its target gets the new content. A target or folder
// without its owner's write permission counts as unwritable, whoever runs
// the program; a target that exists but is no regular file is never
// replaced. Failures put the system's reason (such as "No space left on
// device") into why, when given, and leave the target as it was.
class CStagedFile
{
public:
    CStagedFile() = default;
    ~CStagedFile();
    CStagedFile(CStagedFile&& other) noexcept;
    CStagedFile& operator=(CStagedFile&& other) noexcept;
    CStagedFile(const CStagedFile&) = delete;
    CStagedFile& operator=(const CStagedFile&) = delete;

    bool Stage(const QString& path, const QByteArray& bytes, QString* why);
    bool Commit(QString* why);

private:
    void Discard();

    QByteArray m_temporary; // empty when nothing is staged
    QByteArray m_target;
};

// Stage and Commit in one: the whole new content of the file at path, or
// no change at all.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* why);

// Temporary files a killed run left in folder are removed: those this
// machine's processes made that are no longer running. A live writer's are
// kept, and so are those of other machines (a shared folder), which this
// one cannot ask. Returns how many were removed.
int RemoveStaleTemporaries(const QString& folder);

// The system call that puts bytes into the temporary file, as write(2) does:
// the count written, or -1 with errno set. Tests swap it to make a write fail
// part way, as a full disk does.
using FileWriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
// Sets the write call; null restores write(2). Returns the previous one.
FileWriteFunction SetFileWriteFunction(FileWriteFunction write);
