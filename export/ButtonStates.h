#pragma once

#include "render/ImageFiles.h"

#include <QImage>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class CNacreformDoc;
struct SCanvasLayout;

// The states a button shows on a page. Each is a rule applied to a copy of
// the design before it is rendered, or to the rendered image, and never
// stored in the design. The rules, all in one table (ButtonStates.cpp):
//   normal   the design as it is;
//   hover    Color1 and Color2 mixed 15 % toward white;
//   pressed  Color1 and Color2 mixed 15 % toward black, caption and picture
//            (with their shadows) 1 pixel lower (s pixels at scale s), the
//            shape shadow at half its alpha and half its offset;
//   disabled the normal image in grey (luma) at half its alpha.
// Every state is drawn on the normal design's canvas: same size, shape in
// the same place, so that a page can swap the images without a jump.
enum class EButtonState { Normal, Hover, Pressed, Disabled };

// All states, in the order above (the order of sets and sprite sheets).
const QList<EButtonState>& AllButtonStates();

// "normal", "hover", "pressed", "disabled": in file names, CSS classes and
// on the command line.
QString ButtonStateName(EButtonState state);
std::optional<EButtonState> ParseButtonState(const QString& name);

// The design of state: design's rule applied to doc, a copy of the design
// whose normal canvas is layout.
void ApplyStateToDesign(EButtonState state, CNacreformDoc& doc, const SCanvasLayout& layout);
// The image rule of state applied to a rendered ARGB bitmap.
void ApplyStateToImage(EButtonState state, QImage& image);

// An image rule as a colour matrix: rows red, green, blue and alpha, each the
// weights of the straight (not premultiplied) red, green, blue and alpha
// from 0 to 1, and a constant.
using SColorMatrix = std::array<float, 20>;
// state's image rule as such a matrix, for output that applies it as a
// filter; null for a state without an image rule.
const SColorMatrix* StateColorMatrix(EButtonState state);

// Makes doc a copy of design (which has a renderer) with state's design
// rule applied; the result is the layout to draw it with: the normal
// design's canvas, with the state's own shape shadow.
SCanvasLayout PrepareStateDesign(const CNacreformDoc& design, EButtonState state, CNacreformDoc& doc);

// The renderer's ARGB bitmap of design in state at scale (0.25 ... 8):
// transparent where nothing is drawn, exactly round(scale x W) x
// round(scale x H) for the W x H of the 1x bitmap. Renders a copy, so it
// may run in any thread while design is only read; the copy takes the
// design's picture cache, so refresh that first (a picture that cannot be
// loaded then leaves no message but is left out). Null when the design has
// no renderer, the scale is out of range or the bitmap cannot be allocated.
QImage RenderButtonState(const CNacreformDoc& design, EButtonState state, double scale);

// The size of the design's 1x bitmap (what Render returns), without
// rendering; empty when it cannot be allocated.
QSize CanvasSize(const CNacreformDoc& design);

// The image an export writes: the bitmap above with its alpha when the
// background is transparent, else composed over BGColor.
QImage ComposeExportImage(const CNacreformDoc& design, const QImage& rendered);

// Scales the sets offer and the command line accepts.
constexpr double kMinExportScale = 0.25;
constexpr double kMaxExportScale = 8.0;
