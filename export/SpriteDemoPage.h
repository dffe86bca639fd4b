#pragma once

#include "export/ButtonStates.h"
#include "export/SpriteSheet.h"

#include <QList>
#include <QSize>
#include <QString>

// The demo page written beside a set's style sheet: the button as a real
// <button> of the base class, which follows the pointer and the keyboard,
// one <button> per state class, and a disabled one, with the size of a
// cell, the sheets and the class names to copy. It loads only the style
// sheet and the sheets beside it: nothing from outside the folder, no
// script. Elements a test can find: #live (the base class), #disabled (the
// base class, disabled) and #state-NAME per state class.
QString SpriteDemoPage(const QString& name, const QString& cssFileName, const QList<EButtonState>& states,
                       QSize cell, const QList<SSpriteSheetFile>& sheets);
