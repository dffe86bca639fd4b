#include "render/RendererTable.h"

#include "render/CircleButton00Render.h"
#include "render/CircleButton01Render.h"
#include "render/CircleRectangleButtonRender.h"
#include "render/RectangleButtonRender.h"

std::unique_ptr<CRender> CreateRenderer(unsigned renderId)
{
    switch (renderId) {
    case kRenderCircle00:
        return std::make_unique<CCircleButton00Render>();
    case kRenderCircle01:
        return std::make_unique<CCircleButton01Render>();
    case kRenderRectangle:
        return std::make_unique<CRectangleButtonRender>();
    case kRenderCapsule:
        return std::make_unique<CCircleRectangleButtonRender>();
    default:
        return nullptr;
    }
}
