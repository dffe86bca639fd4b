#pragma once

#include <QIcon>

// The program's own icons, drawn when first asked for: the shape buttons are
// tiny designs painted by the shape renderers themselves, the other commands
// simple pictograms.
class CToolBarIcons
{
public:
    static constexpr int kSide = 32;

    // The icon of a menu or toolbar command; a null icon for commands without.
    static QIcon CommandIcon(unsigned id);
    // The window and about-box icon: res/ApplicationIcon.nfd rendered at
    // each size, as the installed icon set is.
    static QIcon ApplicationIcon();
    // That design rendered side x side pixels.
    static QImage DrawApplicationIcon(int side);

    // A kSide x kSide picture of the shape renderer renderId (transparent
    // where the shape is not); null when the renderer draws nothing.
    static QImage DrawShape(unsigned renderId);
};
