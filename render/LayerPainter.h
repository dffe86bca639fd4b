#pragma once

class CButtonLayers;
class QPainter;

// Paints layers on a canvas painter (CanvasGraphics.h), in their order:
// gradients and outlines through Qt's brushes and the computed path
// gradients, pictures smoothly scaled, captions from their cached masks.
void PaintButtonLayers(QPainter& graphics, const CButtonLayers& layers);
