#pragma once

#include <memory>

class CRender;

// Shape command ids; a design's RenderID holds one of them.
enum RenderCommand : unsigned {
    kRenderCircle00 = 32771,
    kRenderCircle01 = 32772,
    kRenderRectangle = 32773,
    kRenderCapsule = 32774,
};

// The renderer of a shape command, or null for an id that names none.
std::unique_ptr<CRender> CreateRenderer(unsigned renderId);
