#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

class CNacreformDoc;
class IShellDialogs;

// The preview: the design as its renderer draws it, over a checkerboard or the
// background colour, at the top-left of a scrollable area. Owns the last
// rendered bitmap and its composition, which the export saves as they are.
//
// Renders are requested through UpdatePreview. Typing asks for a deferred
// render: a burst of such requests renders once, kRenderDelayMs after the last
// one. A click asks for an immediate render, which also absorbs a pending
// deferred one. Painting only draws the finished composition.
class CNacreformView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int kRenderDelayMs = 300;

    // doc and dialogs must outlive the view.
    CNacreformView(CNacreformDoc& doc, IShellDialogs& dialogs, QWidget* parent = nullptr);
    ~CNacreformView() override;

    CNacreformDoc* GetDocument() const { return &m_doc; }

    void UpdatePreview(bool immediate);
    bool IsRenderPending() const { return m_renderTimer.isActive(); }

    // After every New and Open: the design becomes untitled, the control
    // panel loads its pages from it and it is rendered at once.
    void OnInitialUpdate();

    // Export command: saves the last render as PNG, with its alpha when the
    // background is transparent, else over the background colour. Does
    // nothing while there is no rendered bitmap (CanExportImage).
    void OnExportImage();
    bool CanExportImage() const { return !m_renderedImage.isNull(); }

    // The renderer's ARGB output and the opaque composition shown; both null
    // when the last render produced nothing.
    const QImage& GetRenderedImage() const { return m_renderedImage; }
    const QImage& GetDisplayImage() const { return m_displayImage; }

signals:
    // After every render attempt, successful or not.
    void Rendered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Render();
    // Takes a render's bitmaps (both null after a failure) and repaints.
    void SetBitmaps(const QImage& rendered, const QImage& display);
    void RenderForScreen();
    void UpdateScrollSizes();

    CNacreformDoc& m_doc;
    IShellDialogs& m_dialogs;
    QTimer m_renderTimer;
    QImage m_renderedImage;
    QImage m_displayImage;
    // What the window shows: the composition rendered again at the screen's
    // device pixel ratio when that is not 1 (so that a high-density screen
    // shows every device pixel of the design), else the composition itself.
    QImage m_shownImage;
    qreal m_shownRatio = 1;
    // Size of the last picture shown; a failed render keeps it, as the
    // status pane keeps its text.
    QSize m_scrollSize;
};
