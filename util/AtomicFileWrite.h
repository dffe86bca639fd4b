#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Writes bytes as the whole new content of the file at path, or changes
// nothing. The bytes go to a temporary file in the target's folder; every
// write, the flush to the disk and the close are checked, and only then is
// the temporary file renamed over the target, which keeps its permission
// bits. On failure the temporary file is removed, an existing target stays
// byte for byte as it was, and why (when given) receives the system's reason,
// such as "No space left on device". A target or folder without its owner's
// write permission counts as unwritable, whoever runs the program; a target
// that exists but is no regular file is never replaced.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* why);

// The system call that puts bytes into the temporary file, as write(2) does:
// the count written, or -1 with errno set. Tests swap it to make a write fail
// part way, as a full disk does.
using FileWriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
// Sets the write call; null restores write(2). Returns the previous one.
FileWriteFunction SetFileWriteFunction(FileWriteFunction write);
