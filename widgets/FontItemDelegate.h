#pragma once

#include <QStyledItemDelegate>

// Draws each font name of the font list in its own face, with a character
// cell 20 pixels high, in rows of 25 pixels. A face the system cannot make
// is drawn in the font it substitutes; the text is still the listed name.
class CFontItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CFontItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
