#include "panel/NacreformAccessor.h"

#include "app/MainFrame.h"
#include "app/NacreformView.h"

CNacreformDoc* CNacreformAccessor::GetDocument() const
{
    const CMainFrame* frame = CMainFrame::GetMainFrame();
    return frame ? frame->GetActiveDocument() : nullptr;
}

void CNacreformAccessor::RequestRender(bool immediate) const
{
    const CMainFrame* frame = CMainFrame::GetMainFrame();
    if (CNacreformView* view = frame ? frame->GetActiveView() : nullptr)
        view->UpdatePreview(immediate);
}
