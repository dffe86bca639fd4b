#pragma once

#include <QByteArray>
#include <QCache>
#include <QMutex>

// Encoded answers by their entity tag, the least recently used dropped
// first so that the bytes held never exceed the bound, and the tags of URLs
// answered before, so that a repeated URL is answered without reading its
// design again (a sixteenth of the bound is theirs). Safe to use from any thread.
class CImageCache
{
public:
    explicit CImageCache(qint64 maxBytes);

    // The bytes under tag; null when not kept.
    QByteArray Find(const QByteArray& tag);
    // Keeps bytes under tag unless they alone exceed the bound.
    void Insert(const QByteArray& tag, const QByteArray& bytes);
    // The tag url was answered with; null when not known. Only URLs whose
    // answer depends on nothing but the URL may be remembered.
    QByteArray TagOf(const QByteArray& url);
    void Remember(const QByteArray& url, const QByteArray& tag);
    qint64 Bytes() const;

private:
    mutable QMutex m_mutex;
    QCache<QByteArray, QByteArray> m_entries; // cost: bytes of the answer and its tag
    QCache<QByteArray, QByteArray> m_tags;    // cost: bytes of the URL and its tag
};
