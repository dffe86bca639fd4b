#include "render/Render.h"

CRender::~CRender() = default;

bool CRender::IsSquareShape() const
{
    return false;
}

bool CRender::UsesSecondColor() const
{
    return true;
}

float CRender::GetShadowSpread() const
{
    return 0.03f;
}
