#include "render/PreviewRenderer.h"

#include "design/NacreformDoc.h"
#include "render/DisplayBitmap.h"
#include "render/Render.h"

CPreviewRenderer::CPreviewRenderer(QObject* parent)
    : QObject(parent)
    , m_worker([this] { Run(); })
{
}

CPreviewRenderer::~CPreviewRenderer()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_pending.reset();
    }
    m_wake.notify_one();
    m_worker.join();
}

void CPreviewRenderer::Request(const CNacreformDoc& doc)
{
    m_busy = true;
    {
        std::lock_guard lock(m_mutex);
        m_pending = SRequest{++m_generation, doc, doc.CachedImagePath, doc.CachedImage};
    }
    m_wake.notify_one();
}

void CPreviewRenderer::Release(std::vector<QImage> images)
{
    {
        std::lock_guard lock(m_mutex);
        for (QImage& image : images)
            m_released.push_back(std::move(image));
    }
    m_wake.notify_one();
}

void CPreviewRenderer::Cancel()
{
    std::lock_guard lock(m_mutex);
    ++m_generation;
    m_pending.reset();
    m_busy = false;
}

void CPreviewRenderer::Run()
{
    // The worker's own document: nothing of it is shared with the owner's.
    CNacreformDoc design;
    for (;;) {
        std::optional<SRequest> request;
        std::vector<QImage> released;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending || !m_released.empty(); });
            if (m_stop)
                return;
            request.swap(m_pending);
            released.swap(m_released);
        }
        released.clear();
        if (!request)
            continue;
        design.ApplyValues(request->values);
        design.CachedImagePath = request->cachedImagePath;
        design.CachedImage = request->cachedImage;
        QImage rendered = design.Renderer ? design.Renderer->Render(design) : QImage();
        QImage display = ComposeDisplayImage(design, rendered);
        if (display.isNull())
            rendered = QImage();
        QMetaObject::invokeMethod(
            this,
            [this, generation = request->generation, rendered, display, transparent = bool(design.BGTrans)] {
                Deliver(generation, rendered, display, transparent);
            },
            Qt::QueuedConnection);
    }
}

void CPreviewRenderer::Deliver(quint64 generation, const QImage& rendered, const QImage& display,
                                bool transparentBackground)
{
    if (generation != m_generation)
        return;
    m_busy = false;
    emit Finished(rendered, display, transparentBackground);
}
