#include "widgets/ColorWnd.h"

#include "util/DlgItems.h"
#include "widgets/ColorDialogChooser.h"

#include <QPainter>

namespace {

QColor FromColorRef(COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

COLORREF ToColorRef(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return COLORREF(rgb.red()) | COLORREF(rgb.green()) << 8 | COLORREF(rgb.blue()) << 16;
}

} // namespace

CColorWnd::CColorWnd(QWidget* parent)
    : QFrame(parent)
{
    // A thin sunken edge around a client area the swatch fills completely.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CColorWnd::CreateAtItem(int placeholderId, QWidget* parentDialog)
{
    QWidget* placeholder = placeholderId != 0 ? GetDlgItem(parentDialog, placeholderId) : nullptr;
    if (!placeholder)
        return false;
    const QRect place(placeholder->mapTo(parentDialog, QPoint(0, 0)), placeholder->size());
    placeholder->hide();
    setAccessibleName(placeholder->accessibleName());
    setParent(parentDialog);
    setGeometry(place);
    show();
    return true;
}

void CColorWnd::SetColor(COLORREF color)
{
    m_color = color;
    update();
}

void CColorWnd::EnableSwatch(bool enable)
{
    // Qt repaints a widget whose enabled state changes, and only then.
    setEnabled(enable);
}

bool CColorWnd::PickColor()
{
    static CColorDialogChooser standardChooser;
    IColorChooser& chooser = m_chooser ? *m_chooser : standardChooser;
    QColor color = FromColorRef(m_color);
    if (!chooser.ChooseColor(window(), color) || !color.isValid())
        return false;
    const COLORREF chosen = ToColorRef(color);
    if (chosen == m_color)
        return false;
    SetColor(chosen);
    return true;
}

void CColorWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), isEnabled() ? FromColorRef(m_color) : palette().color(QPalette::Button));
    drawFrame(&painter);
}
