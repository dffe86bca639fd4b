#pragma once

#include <QByteArray>
#include <QCache>
#include <QMutex>

// Encoded answers by their entity tag, the least recently used dropped
// first so that the bytes held never exceed the bound. Safe to use from
// any thread.
class CImageCache
{
public:
    explicit CImageCache(qint64 maxBytes);

    // The bytes under tag; null when not kept.
    QByteArray Find(const QByteArray& tag);
    // Keeps bytes under tag unless they alone exceed the bound.
    void Insert(const QByteArray& tag, const QByteArray& bytes);
    qint64 Bytes() const;

private:
    mutable QMutex m_mutex;
    QCache<QByteArray, QByteArray> m_entries; // cost: bytes of the answer and its tag
};
