#include "widgets/FontItemDelegate.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kRowHeight = 25;

// The face at a cell height (ascent plus descent) of 20 pixels, as the
// list has always measured its fonts; a pixel size is an em height, smaller.
QFont FaceFont(const QString& family)
{
    constexpr int kCellHeight = 20;
    QFont font(family);
    font.setPixelSize(kCellHeight);
    const int cell = QFontMetrics(font).height();
    if (cell > kCellHeight)
        font.setPixelSize(std::max(1, kCellHeight * kCellHeight / cell));
    return font;
}

} // namespace

CFontItemDelegate::CFontItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void CFontItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString name = index.data(Qt::DisplayRole).toString();
    const QPalette& colors = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    QColor fill = colors.color(QPalette::Base);
    QColor ink = colors.color(QPalette::Text);
    if (!(option.state & QStyle::State_Enabled)) {
        fill = colors.color(QPalette::Button);
        ink = colors.color(QPalette::Disabled, QPalette::Text);
    } else if (selected) {
        fill = colors.color(QPalette::Highlight);
        ink = colors.color(QPalette::HighlightedText);
    }

    painter->save();
    painter->fillRect(option.rect, fill);
    painter->setFont(FaceFont(name));
    painter->setPen(ink);
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    if (selected) {
        painter->setPen(QPen(ink, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize CFontItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), kRowHeight};
}
