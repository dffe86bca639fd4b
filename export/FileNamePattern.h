#pragma once

#include "export/ButtonStates.h"

#include <QString>

// File names of the images of a set, made from a pattern with these
// placeholders:
//   {name}    the set's base name
//   {state}   the state's name: normal, hover, pressed, disabled
//   {-state}  nothing for the normal state, else "-" and the state's name
//   {scale}   the scale as a number: 1, 1.5, 2
//   {@scale}  nothing at 1x, else "@", the scale and "x": "@2x", "@1.5x"
// The default gives "ok.png", "ok@2x.png", "ok-hover@2x.png".
extern const QString kDefaultFileNamePattern;

// The pattern filled in for one image.
QString FormatFileName(const QString& pattern, const QString& name, EButtonState state, double scale);

// A vector image serves every scale, so the scale placeholders give nothing.
QString FormatScalelessFileName(const QString& pattern, const QString& name, EButtonState state);

// A sprite sheet holds every state, so the state placeholders give nothing.
QString FormatSpriteFileName(const QString& pattern, const QString& name, double scale);

// The scale as the placeholders write it: "1", "1.5", "2".
QString ScaleText(double scale);

// Whether fileName may be written into the chosen folder: not empty, not
// "." or "..", no folder separator or NUL, so that no name (from a batch
// file, say) can reach beyond the folder. why says what is wrong.
bool IsPlainFileName(const QString& fileName, QString* why);

// Whether name may name a set or a batch row's image: not empty and without
// control characters (which would break file listings and style sheets).
bool IsUsableName(const QString& name, QString* why);
