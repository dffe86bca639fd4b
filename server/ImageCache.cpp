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
    : m_entries(CostBound(maxBytes))
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
    QMutexLocker lock(&m_mutex);
    m_entries.insert(tag, new QByteArray(bytes), bytes.size() + tag.size());
}

qint64 CImageCache::Bytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries.totalCost();
}
