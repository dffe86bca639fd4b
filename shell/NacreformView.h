#pragma once

#include "shell/PreviewZoom.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

#include <functional>

class CNacreformDoc;
class CPreviewRenderer;
class IShellDialogs;

// The preview: the design as its renderer draws it, over a checkerboard or the
// background colour, centred on a neutral backdrop in a scrollable area, at
// the chosen zoom. Owns the last rendered bitmap and its composition, which
// the export saves as they are.
//
// At 100 % every device pixel of the screen shows one pixel of the design as
// rendered for the screen's density; enlarged, each of those pixels becomes
// a block, so that the pixels themselves can be inspected; reduced, the
// picture is filtered. Zooming never renders again.
//
// Renders are requested through UpdatePreview. Typing asks for a deferred
// render: a burst of such requests renders once, kRenderDelayMs after the last
// one. A click asks for an immediate render, which also absorbs a pending
// deferred one. Painting only draws the finished composition.
//
// A design whose canvas has more than kForegroundPixels renders in a worker
// thread: the view keeps showing the last finished bitmap until the newest
// render arrives, and renders a newer edit has overtaken are dropped. Smaller
// designs render at once, in the window's thread.
class CNacreformView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int kRenderDelayMs = 300;
    // About 20 ms of rendering on a slow machine.
    static constexpr qint64 kForegroundPixels = qint64(1) << 21;

    // doc and dialogs must outlive the view.
    CNacreformView(CNacreformDoc& doc, IShellDialogs& dialogs, QWidget* parent = nullptr);
    ~CNacreformView() override;

    CNacreformDoc* GetDocument() const { return &m_doc; }

    void UpdatePreview(bool immediate);
    bool IsRenderPending() const { return m_renderTimer.isActive(); }
    // A render runs in the worker thread and has not been shown yet.
    bool IsRenderInBackground() const;
    // Canvases of more pixels than this render in the worker thread (for
    // measurements; the program keeps kForegroundPixels).
    void SetForegroundPixels(qint64 pixels) { m_foregroundPixels = pixels; }

    // After every New and Open: the control panel loads its pages from the
    // design and it is rendered at once.
    void OnInitialUpdate();

    // Export command: saves the last render in the format the chosen name's
    // extension names (PNG with its alpha when the background is
    // transparent, else over the background colour; JPEG over it always;
    // WebP; or the design as SVG). A name of another extension is refused
    // with a message. Does nothing while there is no rendered bitmap
    // (CanExportImage).
    void OnExportImage();
    bool CanExportImage() const { return !m_renderedImage.isNull(); }
    // Copy command: puts the bitmap the export would save on the clipboard,
    // as an image and as PNG data (which keeps its alpha for the programs
    // that paste it), and the design as SVG. Does nothing while there is no
    // rendered bitmap.
    void OnEditCopy();

    // The zoom commands: one step in or out around the viewport's centre, 100 %,
    // and fitting the whole canvas into the window while it changes.
    void ZoomIn();
    void ZoomOut();
    void ZoomToActualSize();
    void ZoomToFit();
    const CPreviewZoom& GetZoom() const { return m_zoom; }
    // Where the canvas shows in the viewport, in its coordinates; its corner
    // lies on a device pixel.
    QRectF GetCanvasRect() const;

    // The renderer's ARGB output and the opaque composition shown; both null
    // when the last render produced nothing.
    const QImage& GetRenderedImage() const { return m_renderedImage; }
    const QImage& GetDisplayImage() const { return m_displayImage; }

signals:
    // After every render attempt, successful or not.
    void Rendered();
    // After every change of the zoom factor.
    void ZoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // With Ctrl held the wheel zooms around the pointer; otherwise it scrolls.
    void wheelEvent(QWheelEvent* event) override;

private:
    // True when the render has ended; false when it goes on in the worker.
    bool Render();
    bool RendersInBackground() const;
    // Takes a render's bitmaps (both null after a failure), made with the
    // given BGTrans, and repaints.
    void SetBitmaps(const QImage& rendered, const QImage& display, bool transparentBackground);
    void RenderForScreen();
    void UpdateScrollSizes();
    // Applies change to the zoom, keeping the canvas point under anchor (a
    // viewport point) where it is.
    void ChangeZoom(const std::function<void(CPreviewZoom&)>& change, const QPointF& anchor);
    // The canvas's size on screen, in viewport coordinates.
    QSizeF ZoomedCanvasSize() const;

    CNacreformDoc& m_doc;
    IShellDialogs& m_dialogs;
    QTimer m_renderTimer;
    CPreviewRenderer* m_pBackground;
    qint64 m_foregroundPixels = kForegroundPixels;
    QImage m_renderedImage;
    QImage m_displayImage;
    // BGTrans of the design the bitmaps were made from: while a newer render
    // is under way, the export still saves the shown bitmaps as they were
    // meant, never the checkerboard composition.
    bool m_renderedTransparent = false;
    // What the window shows: the composition rendered again at the screen's
    // device pixel ratio when that is not 1 (so that a high-density screen
    // shows every device pixel of the design), else the composition itself.
    QImage m_shownImage;
    qreal m_shownRatio = 1;
    // Size of the last picture shown; a failed render keeps it, as the
    // status pane keeps its text.
    QSize m_scrollSize;
    CPreviewZoom m_zoom;
    // Wheel turns not yet taken as zoom steps (fine-grained wheels and
    // touchpads send fractions of a notch).
    int m_wheelZoomDelta = 0;
};
