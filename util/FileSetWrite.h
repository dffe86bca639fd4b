#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One file a run will write: its path and what makes its bytes (empty
// bytes, with why, when they cannot be made). What the bytes are (which
// image, which format) is the producer's business alone.
struct SPlannedFile
{
    QString path;
    std::function<QByteArray(QString* why)> bytes;
};

// Where a set's files are made: each on a core of its own while one is
// free, or one after the other on the calling thread (for a caller that
// already runs on every core, such as a batch: Qt's pool would wait for
// itself).
enum class ESetThreads { EveryCore, CallingThread };

struct SFileSetOutcome
{
    QStringList written;  // paths, in plan order, once all are in place
    QStringList failures; // "ok@2x.png: why", one a file that failed
};

// Writes the files as one set: every file is made and written beside its
// target first, and only when all are written are they renamed into place,
// so that the set is all old or all new. Any failure leaves every target
// as it was and no temporary file behind.
SFileSetOutcome WriteFileSet(const QList<SPlannedFile>& files, ESetThreads threads);
