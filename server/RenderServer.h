#pragma once

#include "server/ButtonRequest.h"
#include "server/ImageCache.h"
#include "server/ServerMetrics.h"
#include "server/ServerOptions.h"
#include "server/StaticPages.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QThreadPool>

#include <atomic>
#include <memory>

struct MHD_Connection;
struct MHD_Daemon;
struct SOutputFormat;

// The HTTP front end: answers button URLs with rendered images, the editor
// page and the health and metrics pages, on GNU libmicrohttpd.
//
// Connections are served by one network thread per core (epoll), which
// answer everything but renders themselves: a render waits in a queue of
// bounded length for one of the render threads (one per core) while its
// connection is suspended, so idle or slow connections never hold a render
// thread and a full queue is answered 503 at once. Limits are fixed at
// start: connections, memory per connection, idle time, query length.
class CRenderServer
{
public:
    static constexpr int kMaxQueryBytes = 4096;
    static constexpr unsigned kIdleTimeoutSeconds = 10;
    static constexpr size_t kConnectionMemory = 16 * 1024;
    // Renders waiting per render thread before the server answers 503.
    static constexpr int kQueuedRendersPerThread = 16;

    explicit CRenderServer(const SServerOptions& options);
    ~CRenderServer();

    CRenderServer(const CRenderServer&) = delete;
    CRenderServer& operator=(const CRenderServer&) = delete;

    // Listens on the options' address; false with the system's reason.
    bool Start(QString* why);
    // The port listened on (the chosen one when the options gave 0).
    int Port() const;
    int RenderThreads() const { return m_renderThreads.maxThreadCount(); }

    // Stops accepting, answers the requests under way (renders queued for
    // more than two thirds of timeoutMs get 503), waits for them at most
    // timeoutMs and closes every connection. False when a render outlasted
    // the time: the server then still holds its connections.
    bool Stop(int timeoutMs);

private:
    struct SAnswer;
    struct SRequest;

    // The library's callbacks, which call the members below.
    struct SCallbacks;
    friend struct SCallbacks;

    // The answer to a request, or null once a render has been queued for it
    // and its connection suspended.
    std::unique_ptr<SAnswer> Answer(MHD_Connection* connection, SRequest& request, const char* url,
                                    const char* method);
    std::unique_ptr<SAnswer> AnswerButton(MHD_Connection* connection, SRequest& request,
                                          const SOutputFormat& format, const QByteArray& query);
    // On a render thread: encodes, keeps the answer in request and resumes
    // the connection.
    void Render(MHD_Connection* connection, SRequest& request, const SOutputFormat& format,
                const SButtonRequest& button, const QByteArray& tag);
    QByteArray EntityTag(const SButtonRequest& button, const SOutputFormat& format) const;
    void Log(MHD_Connection* connection, const SRequest& request) const;

    SServerOptions m_options;
    SRequestLimits m_limits;
    CImageCache m_cache;
    CServerMetrics m_metrics;
    CStaticPages m_pages;
    // Qt's own pool: Qt spreads a large fill made on any other thread over
    // that pool, which on a server already busy on every core only adds
    // hand-overs; its own threads draw their fills themselves.
    QThreadPool& m_renderThreads;
    QByteArray m_rendererVersion;
    MHD_Daemon* m_daemon = nullptr;
    std::atomic<int> m_rendersPending{0};
    std::atomic<int> m_requestsUnderWay{0};
    // Set before m_stopping, read only after it.
    QDeadlineTimer m_lastRenderStart;
    std::atomic<bool> m_stopping{false};
};
