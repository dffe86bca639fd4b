#pragma once

#include <QByteArray>

#include <array>
#include <atomic>

// Counters of the server's work, kept with atomics so that every thread
// counts without a lock, and given out in the Prometheus text format.
class CServerMetrics
{
public:
    // The status codes counted one by one; others count as "other".
    static constexpr std::array<int, 10> kStatusCodes = {200, 304, 400, 404, 405, 413, 414, 431, 500, 503};

    void CountRequest(int status);
    void CountCacheHit() { ++m_cacheHits; }
    void CountCacheMiss() { ++m_cacheMisses; }
    void CountRender(qint64 nanoseconds);

    // The exposition text; the gauges are read from their owners.
    QByteArray Text(qint64 cacheBytes, int rendersPending) const;

private:
    std::array<std::atomic<quint64>, kStatusCodes.size() + 1> m_requests{};
    std::atomic<quint64> m_cacheHits{0};
    std::atomic<quint64> m_cacheMisses{0};
    std::atomic<quint64> m_renders{0};
    std::atomic<quint64> m_renderNanoseconds{0};
};
