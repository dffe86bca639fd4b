#pragma once

class CNacreformDoc;

// What the control pages need of the window that holds them: the design
// they edit, and a render of it once an edit is made. The editor's main
// window is the one host; the panel knows it only through this.
class IDesignHost
{
public:
    virtual ~IDesignHost() = default;
    virtual CNacreformDoc* GetActiveDocument() const = 0;
    // Records the edit just made in the undo history, then renders:
    // immediate at once; deferred restarts the preview's short timer, so
    // that a burst of edits renders once (and is one undo step).
    virtual void OnDesignEdited(bool immediate) = 0;
};

// How a control page reaches the design and the preview: through the host
// set last (the main frame, which sets itself while it lives). Both lookups
// come to nothing when there is no host; then GetDocument returns null and
// RequestRender does nothing.
class CNacreformAccessor
{
public:
    static void SetDesignHost(IDesignHost* host);
    static IDesignHost* GetDesignHost();

    CNacreformDoc* GetDocument() const;
    void RequestRender(bool immediate) const;
};
