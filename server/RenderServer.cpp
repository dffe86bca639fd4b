#include "server/RenderServer.h"

#include "design/NacreformDoc.h"
#include "render/ImageFiles.h"
#include "server/OutputFormats.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <microhttpd.h>

#include <netdb.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Connections at most, whatever the descriptors allowed would give.
constexpr unsigned kMaxConnections = 4096;
// Descriptors kept for everything but connections (listeners, pictures).
constexpr rlim_t kReservedDescriptors = 64;
constexpr int kRetryAfterSeconds = 1;
const char kImmutable[] = "public, max-age=31536000, immutable";

// Raises the descriptor limit as far as the system allows (a thousand
// connections pass the usual soft limit) and says how many connections fit.
unsigned ConnectionLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 256;
    const rlim_t wanted = limit.rlim_max == RLIM_INFINITY ? rlim_t(65536) : std::min<rlim_t>(limit.rlim_max, 65536);
    if (limit.rlim_cur < wanted) {
        limit.rlim_cur = wanted;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur <= 2 * kReservedDescriptors)
        return unsigned(std::max<rlim_t>(limit.rlim_cur / 2, 1));
    return unsigned(std::min<rlim_t>(limit.rlim_cur - kReservedDescriptors, kMaxConnections));
}

// What identifies the renderer's output: the program's version and the
// bytes of the default design of every shape, so that a changed renderer,
// font or encoder gives new entity tags even within one version.
QByteArray RendererVersion()
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(NACREFORM_VERSION));
    for (const unsigned shape : {32771u, 32772u, 32773u, 32774u}) {
        CNacreformDoc design;
        design.SelectRenderer(shape, true, false);
        hash.addData(EncodePng(ComposeExportImage(design, RenderButtonState(design, EButtonState::Normal, 1))));
    }
    return hash.result().toHex();
}

// A header value of the request; empty when it was not sent.
QByteArrayView Header(MHD_Connection* connection, const char* name)
{
    return QByteArrayView(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name));
}

// Whether If-None-Match names tag (weak comparison, as the header asks).
bool MatchesTag(MHD_Connection* connection, const QByteArray& tag)
{
    for (QByteArrayView candidate : Header(connection, MHD_HTTP_HEADER_IF_NONE_MATCH).toByteArray().split(',')) {
        candidate = candidate.trimmed();
        if (candidate.startsWith("W/"))
            candidate = candidate.sliced(2);
        if (candidate == tag || candidate == "*")
            return true;
    }
    return false;
}

// The request line as a log shows it: no control characters, quotes or
// bytes outside ASCII, so that a line of the log is one request.
QByteArray Printable(const QByteArray& text)
{
    return text.toPercentEncoding("/?&=:;,+@!$'()*[]~#");
}

QString ClientAddress(MHD_Connection* connection)
{
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    char host[NI_MAXHOST] = "-";
    if (info && info->client_addr)
        getnameinfo(info->client_addr, sizeof(sockaddr_storage), host, sizeof host, nullptr, 0, NI_NUMERICHOST);
    return QString::fromLatin1(host);
}

} // namespace

struct CRenderServer::SAnswer
{
    int status = MHD_HTTP_OK;
    QByteArray body;
    const char* mediaType = "text/plain; charset=utf-8";
    QByteArray tag; // none when empty
    const char* cacheControl = "no-store";
    QList<std::pair<const char*, QByteArray>> headers;

    // A one-line plain-text answer.
    static std::unique_ptr<SAnswer> Text(int status, const QString& line)
    {
        auto answer = std::make_unique<SAnswer>();
        answer->status = status;
        for (const QChar c : line)
            answer->body += c.unicode() < 0x20 ? QByteArray(" ") : QString(c).toUtf8();
        answer->body += '\n';
        return answer;
    }

    static std::unique_ptr<SAnswer> Busy(const QString& line)
    {
        auto answer = Text(MHD_HTTP_SERVICE_UNAVAILABLE, line);
        answer->headers.append({MHD_HTTP_HEADER_RETRY_AFTER, QByteArray::number(kRetryAfterSeconds)});
        return answer;
    }

    // The body under tag, or 304 when the client holds it already.
    static std::unique_ptr<SAnswer> Entity(MHD_Connection* connection, const QByteArray& body,
                                           const char* mediaType, const QByteArray& tag, const char* cacheControl)
    {
        auto answer = std::make_unique<SAnswer>();
        answer->tag = tag;
        answer->cacheControl = cacheControl;
        if (MatchesTag(connection, tag)) {
            answer->status = MHD_HTTP_NOT_MODIFIED;
            return answer;
        }
        answer->body = body;
        answer->mediaType = mediaType;
        return answer;
    }
};

struct CRenderServer::SRequest
{
    QByteArray uri; // as received: path and query
    QByteArray method;
    QElapsedTimer clock;
    int status = 0; // of the answer queued; 0 before
    qint64 bytes = 0;
    // The answer of a render, set by the render thread before it resumes
    // the connection.
    std::unique_ptr<SAnswer> rendered;
};

struct CRenderServer::SCallbacks
{
    static void* OnRequestLine(void* server, const char* uri, MHD_Connection*)
    {
        auto* request = new SRequest;
        request->uri = uri;
        request->clock.start();
        ++static_cast<CRenderServer*>(server)->m_requestsUnderWay;
        return request;
    }

    static MHD_Result OnRequest(void* server, MHD_Connection* connection, const char* url, const char* method,
                                const char*, const char*, size_t* bodySize, void** context)
    {
        auto* request = static_cast<SRequest*>(*context);
        if (request->rendered)
            return Queue(connection, *request, *request->rendered);
        if (request->status != 0) { // answered already; a body is dropped
            *bodySize = 0;
            return MHD_YES;
        }
        request->method = method;
        const std::unique_ptr<SAnswer> answer =
            static_cast<CRenderServer*>(server)->Answer(connection, *request, url, method);
        return answer ? Queue(connection, *request, *answer) : MHD_YES;
    }

    static void OnCompleted(void* context, MHD_Connection* connection, void** requestContext,
                            MHD_RequestTerminationCode)
    {
        auto* server = static_cast<CRenderServer*>(context);
        auto* request = static_cast<SRequest*>(*requestContext);
        if (!request)
            return;
        if (request->status != 0) {
            server->m_metrics.CountRequest(request->status);
            if (!server->m_options.quiet)
                server->Log(connection, *request);
        }
        delete request;
        *requestContext = nullptr;
        --server->m_requestsUnderWay;
    }

    static MHD_Result Queue(MHD_Connection* connection, SRequest& request, const SAnswer& answer)
    {
        auto* body = new QByteArray(answer.body);
        MHD_Response* response = MHD_create_response_from_buffer_with_free_callback_cls(
            size_t(body->size()), body->data(), [](void* held) { delete static_cast<QByteArray*>(held); }, body);
        if (!response) {
            delete body;
            return MHD_NO;
        }
        if (answer.status != MHD_HTTP_NOT_MODIFIED)
            MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, answer.mediaType);
        if (!answer.tag.isEmpty())
            MHD_add_response_header(response, MHD_HTTP_HEADER_ETAG, answer.tag.constData());
        MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, answer.cacheControl);
        MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
        for (const auto& [name, value] : answer.headers)
            MHD_add_response_header(response, name, value.constData());
        request.status = answer.status;
        request.bytes = answer.body.size();
        const MHD_Result queued = MHD_queue_response(connection, unsigned(answer.status), response);
        MHD_destroy_response(response);
        return queued;
    }
};

CRenderServer::CRenderServer(const SServerOptions& options)
    : m_options(options)
    , m_limits{options.pictureDir}
    , m_cache(options.cacheBytes)
    , m_renderThreads(*QThreadPool::globalInstance())
    , m_rendererVersion(RendererVersion())
{
    m_renderThreads.setMaxThreadCount(QThread::idealThreadCount());
}

CRenderServer::~CRenderServer()
{
    if (!Stop(0)) {
        m_renderThreads.waitForDone();
        MHD_stop_daemon(m_daemon);
    }
}

bool CRenderServer::Start(QString* why)
{
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV | AI_PASSIVE;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* address = nullptr;
    const QByteArray host = m_options.address.toLatin1();
    const QByteArray port = QByteArray::number(m_options.port);
    if (const int failure = getaddrinfo(host.constData(), port.constData(), &hints, &address); failure != 0) {
        *why = QStringLiteral("cannot listen on %1: %2").arg(m_options.address, QString::fromLocal8Bit(gai_strerror(failure)));
        return false;
    }
    const unsigned threads = unsigned(QThread::idealThreadCount());
    const unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME
                           | (address->ai_family == AF_INET6 ? MHD_USE_IPv6 : 0);
    errno = 0;
    m_daemon = MHD_start_daemon(
        flags, quint16(m_options.port), nullptr, nullptr, &SCallbacks::OnRequest, this,
        MHD_OPTION_SOCK_ADDR, address->ai_addr,
        MHD_OPTION_THREAD_POOL_SIZE, threads,
        MHD_OPTION_CONNECTION_LIMIT, ConnectionLimit(),
        MHD_OPTION_CONNECTION_TIMEOUT, kIdleTimeoutSeconds,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemory,
        MHD_OPTION_URI_LOG_CALLBACK, &SCallbacks::OnRequestLine, this,
        MHD_OPTION_NOTIFY_COMPLETED, &SCallbacks::OnCompleted, this,
        MHD_OPTION_END);
    const int error = errno;
    freeaddrinfo(address);
    if (!m_daemon) {
        *why = QStringLiteral("cannot listen on %1 port %2: %3")
                   .arg(m_options.address, QString::number(m_options.port),
                        QString::fromLocal8Bit(std::strerror(error ? error : EADDRINUSE)));
        return false;
    }
    return true;
}

int CRenderServer::Port() const
{
    const MHD_DaemonInfo* info = m_daemon ? MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT) : nullptr;
    return info ? int(info->port) : 0;
}

bool CRenderServer::Stop(int timeoutMs)
{
    if (!m_daemon)
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    const MHD_socket listener = MHD_quiesce_daemon(m_daemon);
    if (listener != MHD_INVALID_SOCKET)
        close(listener);
    // Queued renders still run for two thirds of the time, then answer 503,
    // so that the last one ends in time.
    m_lastRenderStart = QDeadlineTimer(timeoutMs * 2 / 3);
    m_stopping = true;
    // A suspended connection must be resumed before the daemon may stop, so
    // a render that outlasts the time leaves the daemon running.
    if (!m_renderThreads.waitForDone(int(deadline.remainingTime())))
        return false;
    while (m_requestsUnderWay > 0 && !deadline.hasExpired())
        QThread::msleep(5);
    MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
    return true;
}

std::unique_ptr<CRenderServer::SAnswer> CRenderServer::Answer(MHD_Connection* connection, SRequest& request,
                                                              const char* url, const char* method)
{
    const QByteArrayView verb(method);
    if (verb != MHD_HTTP_METHOD_GET && verb != MHD_HTTP_METHOD_HEAD) {
        auto answer = SAnswer::Text(MHD_HTTP_METHOD_NOT_ALLOWED, QStringLiteral("only GET and HEAD are answered"));
        answer->headers.append({MHD_HTTP_HEADER_ALLOW, QByteArray("GET, HEAD")});
        return answer;
    }
    const QByteArrayView length = Header(connection, MHD_HTTP_HEADER_CONTENT_LENGTH);
    if ((!length.isEmpty() && length.trimmed() != "0") || !Header(connection, MHD_HTTP_HEADER_TRANSFER_ENCODING).isEmpty())
        return SAnswer::Text(MHD_HTTP_CONTENT_TOO_LARGE, QStringLiteral("a request takes no body"));
    const qsizetype mark = request.uri.indexOf('?');
    const QByteArray query = mark < 0 ? QByteArray() : request.uri.mid(mark + 1);
    if (query.size() > kMaxQueryBytes)
        return SAnswer::Text(MHD_HTTP_URI_TOO_LONG, QStringLiteral("the query is longer than %1 bytes").arg(kMaxQueryBytes));

    const QByteArrayView path(url);
    if (const CStaticPages::SPage* page = m_pages.Find(path))
        return SAnswer::Entity(connection, page->body, page->mediaType, page->tag, "no-cache");
    if (path == "/healthz")
        return SAnswer::Text(MHD_HTTP_OK, QStringLiteral("ok"));
    if (path == "/metrics") {
        auto answer = std::make_unique<SAnswer>();
        answer->body = m_metrics.Text(m_cache.Bytes(), m_rendersPending);
        answer->mediaType = "text/plain; version=0.0.4; charset=utf-8";
        return answer;
    }
    const QByteArrayView button("/v1/button.");
    if (path.startsWith(button)) {
        if (const SOutputFormat* format = FindOutputFormat(QString::fromLatin1(path.sliced(button.size()))))
            return AnswerButton(connection, request, *format, query);
    }
    return SAnswer::Text(MHD_HTTP_NOT_FOUND, QStringLiteral("no such page"));
}

std::unique_ptr<CRenderServer::SAnswer> CRenderServer::AnswerButton(MHD_Connection* connection, SRequest& request,
                                                                    const SOutputFormat& format, const QByteArray& query)
{
    const QByteArray url = format.extension + ('?' + query);
    if (const QByteArray tag = m_cache.TagOf(url); !tag.isNull()) {
        if (const QByteArray bytes = m_cache.Find(tag); !bytes.isNull() || MatchesTag(connection, tag)) {
            m_metrics.CountCacheHit();
            return SAnswer::Entity(connection, bytes, format.mediaType, tag, kImmutable);
        }
    }
    QList<QueryItem> items;
    if (!DecodeQuery(query, items))
        return SAnswer::Text(MHD_HTTP_BAD_REQUEST, QStringLiteral("the query is not UTF-8 text"));
    SButtonRequest button;
    QString why;
    if (!ReadButtonRequest(items, m_limits, button, &why))
        return SAnswer::Text(MHD_HTTP_BAD_REQUEST, why);
    const QByteArray tag = EntityTag(button, format);
    if (button.picturePath.isEmpty()) // a picture's file may change under its name
        m_cache.Remember(url, tag);
    if (MatchesTag(connection, tag) || !format.rendered) {
        QByteArray bytes;
        if (!MatchesTag(connection, tag) && !format.encode(button, bytes, &why))
            return SAnswer::Text(MHD_HTTP_BAD_REQUEST, why);
        return SAnswer::Entity(connection, bytes, format.mediaType, tag, kImmutable);
    }
    if (const QByteArray bytes = m_cache.Find(tag); !bytes.isNull()) {
        m_metrics.CountCacheHit();
        return SAnswer::Entity(connection, bytes, format.mediaType, tag, kImmutable);
    }
    const int maxPending = m_renderThreads.maxThreadCount() * (1 + kQueuedRendersPerThread);
    if (++m_rendersPending > maxPending) {
        --m_rendersPending;
        return SAnswer::Busy(QStringLiteral("too many renders are waiting; try again"));
    }
    m_metrics.CountCacheMiss();
    MHD_suspend_connection(connection);
    m_renderThreads.start([this, connection, &request, &format, button, tag] {
        Render(connection, request, format, button, tag);
    });
    return nullptr;
}

void CRenderServer::Render(MHD_Connection* connection, SRequest& request, const SOutputFormat& format,
                           const SButtonRequest& button, const QByteArray& tag)
{
    if (m_stopping && m_lastRenderStart.hasExpired()) {
        request.rendered = SAnswer::Busy(QStringLiteral("the server is stopping"));
    } else {
        QElapsedTimer clock;
        clock.start();
        QByteArray bytes;
        QString why;
        const bool encoded = format.encode(button, bytes, &why);
        m_metrics.CountRender(clock.nsecsElapsed());
        if (encoded) {
            m_cache.Insert(tag, bytes);
            request.rendered = SAnswer::Entity(connection, bytes, format.mediaType, tag, kImmutable);
        } else {
            request.rendered = SAnswer::Text(MHD_HTTP_BAD_REQUEST, why);
        }
    }
    --m_rendersPending;
    MHD_resume_connection(connection);
}

QByteArray CRenderServer::EntityTag(const SButtonRequest& button, const SOutputFormat& format) const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& part :
         {m_rendererVersion, QByteArray(format.extension), ButtonStateName(button.state).toLatin1(),
          QByteArray::number(button.scale, 'g', 17), button.pictureStamp, button.designText}) {
        hash.addData(part);
        hash.addData(QByteArrayView("\n"));
    }
    return '"' + hash.result().toHex().left(32) + '"';
}

void CRenderServer::Log(MHD_Connection* connection, const SRequest& request) const
{
    const QByteArray line = ClientAddress(connection).toLatin1() + " \"" + request.method + ' '
                            + Printable(request.uri) + "\" " + QByteArray::number(request.status) + ' '
                            + QByteArray::number(request.bytes) + ' '
                            + QByteArray::number(double(request.clock.nsecsElapsed()) / 1e6, 'f', 1) + " ms\n";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}
