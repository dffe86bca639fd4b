#include "app/NacreformView.h"

#include "app/MainFrame.h"
#include "app/ShellDialogs.h"
#include "design/NacreformDoc.h"
#include "panel/ControlDlg.h"
#include "render/DisplayBitmap.h"
#include "render/ImageFiles.h"
#include "render/PictureLayer.h"
#include "render/PreviewRenderer.h"
#include "render/Render.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

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
    connect(m_pBackground, &CPreviewRenderer::Finished, this, [this](const QImage& rendered, const QImage& display) {
        ShowRender(rendered, display);
        emit Rendered();
    });
    // Where the canvas ends, the workspace shows, as in Qt's own MDI area.
    viewport()->setBackgroundRole(QPalette::Dark);
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
    const SCanvasLayout layout = m_doc.Renderer->GetCanvasLayout(m_doc);
    const double pixels = double(layout.width) * double(layout.height);
    // Canvases that cannot be had at all fail at once where they are.
    return pixels > double(m_foregroundPixels) && pixels <= double(CRender::kMaxCanvasPixels);
}

bool CNacreformView::Render()
{
    if (m_doc.Renderer && RendersInBackground()) {
        // Decoded here, where a failure can be told; the worker takes the
        // picture as it is.
        RefreshPictureCache(m_doc);
        m_pBackground->Request(m_doc);
        return false;
    }
    m_pBackground->Cancel();
    QImage rendered = m_doc.Renderer ? m_doc.Renderer->Render(m_doc) : QImage();
    const QImage display = ComposeDisplayImage(m_doc, rendered);
    ShowRender(display.isNull() ? QImage() : rendered, display);
    return true;
}

void CNacreformView::ShowRender(const QImage& rendered, const QImage& display)
{
    // A failed render must not leave the last picture on screen as if it
    // were this design's; without its composition a render can be neither
    // shown nor exported as the preview showed it.
    m_pBackground->Release(std::exchange(m_renderedImage, rendered), std::exchange(m_displayImage, display));
    viewport()->update();
    if (m_displayImage.isNull())
        return;
    m_scrollSize = m_displayImage.size();
    UpdateScrollSizes();
}

void CNacreformView::UpdateScrollSizes()
{
    const QSize canvas = m_scrollSize;
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
    request.filters = QStringList{QStringLiteral("PNGファイル(*.png)")};
    request.defaultSuffix = QStringLiteral("png");
    const QString path = m_dialogs.ChooseFile(window(), request);
    if (path.isEmpty())
        return;
    const QImage& bitmap = ChooseExportBitmap(m_doc, m_renderedImage, m_displayImage);
    if (!SavePng(bitmap, path))
        m_dialogs.ShowMessage(window(), QStringLiteral("画像の保存に失敗しました。\n\n") + path);
}

void CNacreformView::OnEditCopy()
{
    if (!CanExportImage())
        return;
    const QImage& bitmap = ChooseExportBitmap(m_doc, m_renderedImage, m_displayImage);
    auto* mime = new QMimeData;
    mime->setImageData(bitmap);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (bitmap.save(&png, "PNG"))
        mime->setData(QStringLiteral("image/png"), png.data());
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CNacreformView::paintEvent(QPaintEvent*)
{
    if (m_displayImage.isNull())
        return;
    QPainter painter(viewport());
    painter.drawImage(QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()),
                      m_displayImage);
}

void CNacreformView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CNacreformView::scrollContentsBy(int, int)
{
    viewport()->update();
}
