#pragma once

#include "export/ButtonStates.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// A sprite sheet: the images of the states, all of one size, stacked top
// to bottom in one bitmap of the first one's format. Null when there are
// none, their sizes differ or the sheet cannot be allocated.
QImage StackSpriteSheet(const QList<QImage>& states);

// One sheet of the set, for the style sheet: its file and its scale.
struct SSpriteSheetFile
{
    QString fileName;
    double scale = 1;
};

// The style sheet of a set's sprite sheets, which a page uses without
// script. The base class "NAME" sizes the element to the cell (the 1x
// image) in CSS pixels, takes away a button's own border, padding and
// background, and shows the normal cell; :hover and :focus-visible show
// the hover cell, :active the pressed one, :disabled and
// [aria-disabled="true"] the disabled one (for the states chosen; a focus
// outline is left to the page). One class "NAME-STATE" per state shows that
// cell alone. Class names are escaped as CSS.escape() escapes an identifier. A state's cell is at -i x cell height for the i-th state. The
// sheets are in image-set() by their scales, after -webkit-image-set() and
// the plain url() of the 1x sheet (else the smallest) for older browsers.
QString SpriteSheetCss(const QString& name, const QList<EButtonState>& states, QSize cell,
                       const QList<SSpriteSheetFile>& sheets);
