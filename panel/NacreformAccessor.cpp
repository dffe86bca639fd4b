#include "panel/NacreformAccessor.h"

#include "app/EditHistory.h"
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
    // Every edit of a page ends here: it becomes a step of the history, a
    // typed one (deferred render) merging with the rest of its burst.
    if (CEditHistory* history = frame ? frame->GetEditHistory() : nullptr)
        history->RecordEdit(!immediate);
    if (CNacreformView* view = frame ? frame->GetActiveView() : nullptr)
        view->UpdatePreview(immediate);
}
