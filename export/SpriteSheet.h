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

// The style sheet of a set's sprite sheets: one class "NAME-STATE" per
// state (escaped as CSS.escape() escapes an identifier), each sized cell
// (the 1x image) in CSS pixels and showing its state's part of the sheet by
// background-position (state i at -i x cell height), with the sheets in image-set() by their scales (the 1x sheet,
// or else the smallest, as the plain url() before it for older browsers).
QString SpriteSheetCss(const QString& name, const QList<EButtonState>& states, QSize cell,
                       const QList<SSpriteSheetFile>& sheets);
