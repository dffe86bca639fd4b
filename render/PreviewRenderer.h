#pragma once

#include "design/DesignValues.h"
#include "render/Picture.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class CNacreformDoc;

// Renders designs in a worker thread of its own, so that a canvas that takes
// long to draw never holds up the thread that asked. Each request carries its
// own copy of the design's values and decoded picture; a request that a newer
// one overtakes before it starts is dropped, and a result that arrives after
// a newer request is never reported. Results are reported in the thread that
// owns this object, through its event loop.
class CPreviewRenderer : public QObject
{
    Q_OBJECT

public:
    explicit CPreviewRenderer(QObject* parent = nullptr);
    // Waits for a render in progress to end.
    ~CPreviewRenderer() override;

    // Queues a render of doc as it stands: its values and its picture cache
    // as they are (the caller refreshes the cache first, so that the worker
    // never decodes a picture or has a message to show).
    void Request(const CNacreformDoc& doc);
    // Forgets the queued render and the one in progress: neither reports.
    void Cancel();
    // Lets the worker free bitmaps the owner no longer shows: releasing a
    // large one costs the owner's thread milliseconds.
    void Release(std::vector<QImage> images);
    // A render has been asked for and its result has not been reported yet.
    bool IsBusy() const { return m_busy; }

signals:
    // The newest request's result: the renderer's bitmap and its composition
    // over the preview background, both null when the design gives no
    // picture, and the BGTrans they were made with.
    void Finished(const QImage& rendered, const QImage& display, bool transparentBackground);

private:
    struct SRequest
    {
        quint64 generation = 0;
        CDesignValues values;
        QString cachedImagePath;
        CPicture cachedImage;
    };

    void Run();
    void Deliver(quint64 generation, const QImage& rendered, const QImage& display, bool transparentBackground);

    // Owner thread only.
    quint64 m_generation = 0;
    bool m_busy = false;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<SRequest> m_pending; // guarded by m_mutex
    bool m_stop = false;               // guarded by m_mutex
    std::vector<QImage> m_released;    // guarded by m_mutex
    std::thread m_worker;
};
