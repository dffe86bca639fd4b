#pragma once

class CNacreformDoc;

// How a control page reaches the design and the preview: through the main
// frame's active document and view. Both lookups come to nothing when there is
// no main frame (or no active document or view); then GetDocument returns null
// and RequestRender does nothing.
class CNacreformAccessor
{
public:
    CNacreformDoc* GetDocument() const;
    // Records the edit just made in the undo history, then renders: immediate
    // at once; deferred restarts the view's short timer, so that a burst of
    // edits renders once (and is one undo step).
    void RequestRender(bool immediate) const;
};
