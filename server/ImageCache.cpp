#include "server/ImageCache.h"

#include <QMutexLocker>

#include <limits>

namespace {

// QCache counts its cost in qsizetype.
qsizetype CostBound(qint64 maxBytes)
{
    return qsizetype(qBound<qint64>(0, maxBytes, std::numeric_limits<qsizetype>::max()));
}

} // namespace

CImageCache::CImageCache(qint64 maxBytes)
    : m_entries(CostBound(maxBytes - maxBytes / 16))
    , m_tags(CostBound(maxBytes / 16))
{
}

QByteArray CImageCache::Find(const QByteArray& tag)
{
    QMutexLocker lock(&m_mutex);
    const QByteArray* bytes = m_entries.object(tag);
    return bytes ? *bytes : QByteArray();
}

void CImageCache::Insert(const QByteArray& tag, const QByteArray& bytes)
{
    // An encoder's array may hold several times its size in spare room; the
    // cache keeps exactly what it is charged for.
    auto* kept = new QByteArray(bytes);
    kept->squeeze();
    QMutexLocker lock(&m_mutex);
    m_entries.insert(tag, kept, bytes.size() + tag.size());
}

QByteArray CImageCache::TagOf(const QByteArray& url)
{
    QMutexLocker lock(&m_mutex);
    const QByteArray* tag = m_tags.object(url);
    return tag ? *tag : QByteArray();
}

void CImageCache::Remember(const QByteArray& url, const QByteArray& tag)
{
    QMutexLocker lock(&m_mutex);
    m_tags.insert(url, new QByteArray(tag), url.size() + tag.size());
}

qint64 CImageCache::Bytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries.totalCost() + m_tags.totalCost();
}
