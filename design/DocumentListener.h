#pragma once

// What the document tells the application when the shape changes: the panel
// re-evaluates which controls apply, then the preview renders.
class IDocumentListener
{
public:
    virtual ~IDocumentListener() = default;
    virtual void RefreshPageStates() = 0;
    virtual void UpdatePreview(bool immediate) = 0;
};
