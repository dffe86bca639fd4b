#pragma once

#include "design/DesignValues.h"

#include <QString>

#include <optional>

// Colours as designers write them, for colour values given outside a design
// file (the command line, a batch file, the colour dialog). The design file
// itself keeps its decimal COLORREF values, so every earlier reader still
// reads it.

// Whether key (a design key, exactly as the file spells it) holds a colour.
bool IsColorKey(const QString& key);

// text as a colour: "#RGB", "#RRGGBB", "rgb(R, G, B)" with R, G and B from 0
// to 255, or the design file's decimal COLORREF (0 to 16777215, red in the
// low byte). Blanks around the whole and inside rgb() are allowed, letter
// case is not significant. Anything else (0xc0392b, 192,57,43, a colour's
// name) is nothing, with why it was refused.
std::optional<COLORREF> ParseDesignColor(const QString& text, QString* why = nullptr);

// The colour as "#rrggbb".
QString HtmlColorText(COLORREF color);
