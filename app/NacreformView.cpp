#include "app/NacreformView.h"

#include "app/MainFrame.h"
#include "app/ShellDialogs.h"
#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "panel/ControlDlg.h"
#include "render/DisplayBitmap.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "util/MessageSink.h"

#include <QPainter>
#include <QScrollBar>

CNacreformView::CNacreformView(CNacreformDoc& doc, IShellDialogs& dialogs, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_doc(doc)
    , m_dialogs(dialogs)
{
    m_renderTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the delay is a promise to
    // the typist that the value has rested for the whole of it.
    m_renderTimer.setTimerType(Qt::PreciseTimer);
    m_renderTimer.setInterval(kRenderDelayMs);
    connect(&m_renderTimer, &QTimer::timeout, this, [this] { UpdatePreview(true); });
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
    Render();
    emit Rendered();
}

void CNacreformView::Render()
{
    // A failed render must not leave the last picture on screen as if it
    // were this design's.
    SetBitmaps(QImage(), QImage());
    if (!m_doc.Renderer)
        return;
    const QImage rendered = m_doc.Renderer->Render(m_doc);
    if (rendered.isNull())
        return;
    // Without its composition the render can be neither shown nor exported
    // as the preview showed it.
    const QImage display = ComposeDisplayImage(m_doc, rendered);
    if (!display.isNull())
        SetBitmaps(rendered, display);
}

void CNacreformView::SetBitmaps(const QImage& rendered, const QImage& display)
{
    m_renderedImage = rendered;
    m_displayImage = display;
    if (!display.isNull()) {
        m_scrollSize = display.size();
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
    if (m_shownRatio == 1 || m_displayImage.isNull())
        return;
    QImage sharp = RenderButtonState(m_doc, EButtonState::Normal, m_shownRatio);
    sharp.setDevicePixelRatio(m_shownRatio);
    sharp = ComposeDisplayImage(m_doc, sharp);
    // Too large at this density: the 1x composition, enlarged by Qt.
    if (!sharp.isNull())
        m_shownImage = sharp;
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
    m_doc.SetPathName(QString());
    m_doc.SetTitle(CNacreformDoc::kUntitled);
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
    QString why;
    if (!SavePng(bitmap, path, &why))
        m_dialogs.ShowMessage(window(), FileFailureText(QStringLiteral("画像の保存に失敗しました。"), path, why));
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
    painter.drawImage(QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()), m_shownImage);
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
