#include "panel/NacreformAccessor.h"

namespace {
IDesignHost* s_pDesignHost = nullptr;
}

void CNacreformAccessor::SetDesignHost(IDesignHost* host)
{
    s_pDesignHost = host;
}

IDesignHost* CNacreformAccessor::GetDesignHost()
{
    return s_pDesignHost;
}

CNacreformDoc* CNacreformAccessor::GetDocument() const
{
    return s_pDesignHost ? s_pDesignHost->GetActiveDocument() : nullptr;
}

void CNacreformAccessor::RequestRender(bool immediate) const
{
    if (s_pDesignHost)
        s_pDesignHost->OnDesignEdited(immediate);
}
