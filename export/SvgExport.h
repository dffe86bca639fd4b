#pragma once

#include "export/ButtonStates.h"

#include <QByteArray>
#include <QString>

class CNacreformDoc;

// The whole SVG document of design in state at 1x: the same picture as the
// PNG export's at every scale (CButtonSvgWriter), on the normal design's
// canvas; over an opaque rectangle of BGColor unless the background is
// transparent. Draws a copy, so it may run in any thread while design is
// only read; the copy takes the design's picture cache, so refresh that
// first. Empty, with the reason in why, when the design has no renderer or
// its canvas is no size a bitmap could have.
QByteArray EncodeButtonSvg(const CNacreformDoc& design, EButtonState state, QString* why = nullptr);
