#include "server/ServerMetrics.h"

#include <algorithm>

void CServerMetrics::CountRequest(int status)
{
    const auto known = std::find(kStatusCodes.begin(), kStatusCodes.end(), status);
    ++m_requests[size_t(known - kStatusCodes.begin())];
}

void CServerMetrics::CountRender(qint64 nanoseconds)
{
    ++m_renders;
    m_renderNanoseconds += quint64(std::max<qint64>(nanoseconds, 0));
}

QByteArray CServerMetrics::Text(qint64 cacheBytes, int rendersPending) const
{
    QByteArray text;
    const auto family = [&text](const char* name, const char* type, const char* help) {
        text += QByteArray("# HELP ") + name + ' ' + help + "\n# TYPE " + name + ' ' + type + '\n';
    };
    family("nacreform_http_requests_total", "counter", "Requests answered, by status code.");
    for (size_t i = 0; i < m_requests.size(); ++i) {
        const QByteArray code = i < kStatusCodes.size() ? QByteArray::number(kStatusCodes[i]) : "other";
        text += "nacreform_http_requests_total{code=\"" + code + "\"} " + QByteArray::number(m_requests[i].load()) + '\n';
    }
    family("nacreform_cache_hits_total", "counter", "Button requests answered from the image cache.");
    text += "nacreform_cache_hits_total " + QByteArray::number(m_cacheHits.load()) + '\n';
    family("nacreform_cache_misses_total", "counter", "Button requests that had to be encoded.");
    text += "nacreform_cache_misses_total " + QByteArray::number(m_cacheMisses.load()) + '\n';
    family("nacreform_render_seconds", "summary", "Time spent rendering and encoding buttons.");
    text += "nacreform_render_seconds_sum " + QByteArray::number(double(m_renderNanoseconds.load()) / 1e9, 'f', 6) + '\n';
    text += "nacreform_render_seconds_count " + QByteArray::number(m_renders.load()) + '\n';
    family("nacreform_cache_bytes", "gauge", "Bytes of encoded images held by the cache.");
    text += "nacreform_cache_bytes " + QByteArray::number(cacheBytes) + '\n';
    family("nacreform_renders_pending", "gauge", "Renders queued or under way.");
    text += "nacreform_renders_pending " + QByteArray::number(rendersPending) + '\n';
    return text;
}
