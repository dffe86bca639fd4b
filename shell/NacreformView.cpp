#include "shell/NacreformView.h"

#include "shell/MainFrame.h"
#include "shell/ShellDialogs.h"
#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "export/ImageFileEncoder.h"
#include "panel/ControlDlg.h"
#include "render/DisplayBitmap.h"
#include "render/PictureLayer.h"
#include "render/PreviewRenderer.h"
#include "render/Render.h"
#include "util/AtomicFileWrite.h"
#include "util/MessageSink.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

CNacreformView::CNacreformView(CNacreformDoc& doc, IShellDialogs& dialogs, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_doc(doc)
    , m_dialogs(dialogs)
    , m_pBackground(new CPreviewRenderer(this))
{
    m_renderTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the delay is a promise to
    // the typist that the value has rested for the whole of it.
    m_renderTimer.setTimerType(Qt::PreciseTimer);
    m_renderTimer.setInterval(kRenderDelayMs);
    connect(&m_renderTimer, &QTimer::timeout, this, [this] { UpdatePreview(true); });
    connect(m_pBackground, &CPreviewRenderer::Finished, this, [this](const QImage& rendered, const QImage& display, bool transparentBackground) {
        SetBitmaps(rendered, display, transparentBackground);
        emit Rendered();
    });
    // Around the canvas a mid grey that neither tints the design's colours
    // nor changes with the desktop's colour scheme.
    constexpr QRgb kBackdrop = 0xFF808080;
    QPalette backdrop = viewport()->palette();
    backdrop.setColor(QPalette::Window, QColor(kBackdrop));
    viewport()->setPalette(backdrop);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
}

CNacreformView::~CNacreformView() = default;

void CNacreformView::UpdatePreview(bool immediate)
{
    if (!immediate) {
        m_renderTimer.start(); // restarts a pending deferral
        return;
    }
    m_renderTimer.stop();
    if (Render())
        emit Rendered();
}

bool CNacreformView::IsRenderInBackground() const
{
    return m_pBackground->IsBusy();
}

bool CNacreformView::RendersInBackground() const
{
    if (!m_doc.Renderer)
        return false;
    const SCanvasLayout layout = m_doc.Renderer->GetCanvasLayout(m_doc);
    const double pixels = double(layout.width) * double(layout.height);
    // Canvases that cannot be had at all fail at once where they are.
    return pixels > double(m_foregroundPixels) && pixels <= double(CRender::kMaxCanvasPixels);
}

bool CNacreformView::Render()
{
    if (RendersInBackground()) {
        // Decoded here, where a failure can be told; the worker takes the
        // picture as it is.
        RefreshPictureCache(m_doc);
        m_pBackground->Request(m_doc);
        return false;
    }
    m_pBackground->Cancel();
    // A failed render must not leave the last picture on screen as if it
    // were this design's.
    SetBitmaps(QImage(), QImage(), m_doc.BGTrans);
    if (!m_doc.Renderer)
        return true;
    const QImage rendered = m_doc.Renderer->Render(m_doc);
    if (rendered.isNull())
        return true;
    // Without its composition the render can be neither shown nor exported
    // as the preview showed it.
    const QImage display = ComposeDisplayImage(m_doc, rendered);
    if (!display.isNull())
        SetBitmaps(rendered, display, m_doc.BGTrans);
    return true;
}

void CNacreformView::SetBitmaps(const QImage& rendered, const QImage& display, bool transparentBackground)
{
    m_renderedTransparent = transparentBackground;
    // The worker frees the pictures no longer shown: a large one takes
    // this thread milliseconds.
    m_pBackground->Release({std::exchange(m_renderedImage, rendered), std::exchange(m_displayImage, display),
                            std::exchange(m_shownImage, QImage())});
    if (!display.isNull()) {
        m_scrollSize = display.size();
        if (m_zoom.Refit(m_scrollSize, viewport()->size()))
            emit ZoomChanged();
        UpdateScrollSizes();
    }
    RenderForScreen();
    // Whatever was painted meanwhile (a message box shown during the render
    // runs an event loop that paints) is out of date now.
    viewport()->update();
}

void CNacreformView::RenderForScreen()
{
    m_shownRatio = devicePixelRatioF();
    m_shownImage = m_displayImage;
    // A canvas large enough for the worker is not rendered again here: Qt
    // enlarges the 1x composition instead.
    if (m_shownRatio == 1 || m_displayImage.isNull() || RendersInBackground())
        return;
    QImage sharp = RenderButtonState(m_doc, EButtonState::Normal, m_shownRatio);
    sharp.setDevicePixelRatio(m_shownRatio);
    sharp = ComposeDisplayImage(m_doc, sharp);
    // Too large at this density: the 1x composition, enlarged by Qt.
    if (!sharp.isNull())
        m_shownImage = sharp;
}

QSizeF CNacreformView::ZoomedCanvasSize() const
{
    return QSizeF(m_scrollSize) * m_zoom.GetFactor();
}

QRectF CNacreformView::GetCanvasRect() const
{
    const QSizeF canvas = ZoomedCanvasSize();
    const qreal ratio = devicePixelRatioF();
    // Centred while it fits, else scrolled; on a device pixel either way,
    // so that at 100 % each pixel of the picture is one of the screen.
    const auto corner = [ratio](qreal length, int visible, int scrolled) {
        const qreal logical = length < visible ? (visible - length) / 2 : -scrolled;
        return std::floor(logical * ratio) / ratio;
    };
    return QRectF(QPointF(corner(canvas.width(), viewport()->width(), horizontalScrollBar()->value()),
                         corner(canvas.height(), viewport()->height(), verticalScrollBar()->value())),
                  canvas);
}

void CNacreformView::ZoomIn()
{
    ChangeZoom(&CPreviewZoom::StepIn, QRectF(viewport()->rect()).center());
}

void CNacreformView::ZoomOut()
{
    ChangeZoom(&CPreviewZoom::StepOut, QRectF(viewport()->rect()).center());
}

void CNacreformView::ZoomToActualSize()
{
    ChangeZoom(&CPreviewZoom::SetActualSize, QRectF(viewport()->rect()).center());
}

void CNacreformView::ZoomToFit()
{
    ChangeZoom([this](CPreviewZoom& zoom) { zoom.Fit(m_scrollSize, viewport()->size()); },
               QRectF(viewport()->rect()).center());
}

void CNacreformView::ChangeZoom(const std::function<void(CPreviewZoom&)>& change, const QPointF& anchor)
{
    const QRectF before = GetCanvasRect();
    const double oldFactor = m_zoom.GetFactor();
    change(m_zoom);
    const double factor = m_zoom.GetFactor();
    UpdateScrollSizes();
    // The canvas point under the anchor, in the new content's coordinates.
    const QPointF kept = (anchor - before.topLeft()) * (factor / oldFactor);
    horizontalScrollBar()->setValue(qRound(kept.x() - anchor.x()));
    verticalScrollBar()->setValue(qRound(kept.y() - anchor.y()));
    viewport()->update();
    emit ZoomChanged();
}

void CNacreformView::UpdateScrollSizes()
{
    const QSize canvas = ZoomedCanvasSize().toSize();
    const QSize visible = viewport()->size();
    constexpr int kLineSteps = 10;
    horizontalScrollBar()->setRange(0, qMax(0, canvas.width() - visible.width()));
    horizontalScrollBar()->setPageStep(visible.width());
    horizontalScrollBar()->setSingleStep(qMax(1, visible.width() / kLineSteps));
    verticalScrollBar()->setRange(0, qMax(0, canvas.height() - visible.height()));
    verticalScrollBar()->setPageStep(visible.height());
    verticalScrollBar()->setSingleStep(qMax(1, visible.height() / kLineSteps));
}

void CNacreformView::OnInitialUpdate()
{
    if (CMainFrame* frame = CMainFrame::GetMainFrame(); frame && frame->GetControlDlg())
        frame->GetControlDlg()->LoadPagesFromDocument();
    viewport()->update();
    UpdatePreview(true);
}

void CNacreformView::OnExportImage()
{
    if (!CanExportImage())
        return;
    SFileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("名前を付けて保存");
    for (EImageFormat format : AllImageFormats())
        request.filters.append(ImageFileFilter(format));
    request.defaultSuffix = ImageFormatSuffix(EImageFormat::Png);
    const QString path = m_dialogs.ChooseFile(window(), request);
    if (path.isEmpty())
        return;
    const auto format = ImageFormatOfPath(path);
    QString why = QStringLiteral("対応している形式: %1").arg(ImageFormatList());
    const QByteArray bytes = format ? EncodeShownDesign(m_doc, ChooseExportBitmap(m_renderedTransparent, m_renderedImage, m_displayImage), *format, &why) : QByteArray();
    if (bytes.isEmpty() || !WriteFileAtomically(path, bytes, &why))
        m_dialogs.ShowMessage(window(), FileFailureText(QStringLiteral("画像の保存に失敗しました。"), path, why));
}

void CNacreformView::OnEditCopy()
{
    if (!CanExportImage())
        return;
    const QImage& bitmap = ChooseExportBitmap(m_renderedTransparent, m_renderedImage, m_displayImage);
    auto* mime = new QMimeData;
    mime->setImageData(bitmap);
    // PNG keeps the alpha for the programs that paste it; SVG gives drawing
    // programs and web editors the shapes themselves.
    for (EImageFormat format : {EImageFormat::Png, EImageFormat::Svg}) {
        const QByteArray bytes = EncodeShownDesign(m_doc, bitmap, format, nullptr);
        if (!bytes.isEmpty())
            mime->setData(ImageFormatMimeType(format), bytes);
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CNacreformView::paintEvent(QPaintEvent*)
{
    if (m_shownImage.isNull())
        return;
    if (devicePixelRatioF() != m_shownRatio) {
        // Moved to a screen of another density: this paint enlarges or
        // shrinks what there is, the next one shows the sharp picture.
        m_shownRatio = devicePixelRatioF();
        QMetaObject::invokeMethod(
            this,
            [this] {
                RenderForScreen();
                viewport()->update();
            },
            Qt::QueuedConnection);
    }
    QPainter painter(viewport());
    const QRectF canvas = GetCanvasRect();
    if (m_zoom.GetFactor() == 1) {
        painter.drawImage(canvas.topLeft(), m_shownImage);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom.GetFactor() < 1);
    painter.drawImage(canvas, m_shownImage);
}

void CNacreformView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_zoom.Refit(m_scrollSize, viewport()->size()))
        emit ZoomChanged();
    UpdateScrollSizes();
}

void CNacreformView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    constexpr int kNotch = 120;
    // However far a wheel claims to have turned, no more steps than the
    // zoom has.
    constexpr int kMostSteps = 16;
    m_wheelZoomDelta = std::clamp(m_wheelZoomDelta + event->angleDelta().y(), -kMostSteps * kNotch, kMostSteps * kNotch);
    for (; m_wheelZoomDelta >= kNotch; m_wheelZoomDelta -= kNotch)
        ChangeZoom(&CPreviewZoom::StepIn, event->position());
    for (; m_wheelZoomDelta <= -kNotch; m_wheelZoomDelta += kNotch)
        ChangeZoom(&CPreviewZoom::StepOut, event->position());
    event->accept();
}

void CNacreformView::scrollContentsBy(int, int)
{
    viewport()->update();
}
