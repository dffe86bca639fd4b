#include "render/RendererTable.h"

#include "render/Render.h"

std::unique_ptr<CRender> CreateRenderer(unsigned /*renderId*/)
{
    return nullptr;
}
