#pragma once

#include <QComboBox>

// The font-name drop-down of the text page: an editable combo box listing
// every font family of the system in sorted order, each name drawn in its own
// face in 25-pixel rows; the dropped list is at least 280 pixels wide. The
// list is filled once, on construction. Text typed into the edit part selects
// nothing and adds nothing.
//
// How a page uses it:
//   - load a design with SelectString(doc->FontName): the first item that
//     begins with the name, ignoring case, becomes the selection (the exact
//     name when installed, since it sorts before longer names); when no item
//     matches the selection stays as it was; no signal is emitted;
//   - connect activated(int) (the user chose an item): write GetFontName()
//     into the document and ask for an immediate render.
class CFontComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CFontComboBox(QWidget* parent = nullptr);

    // Index of the newly selected item, or -1 when none matched.
    int SelectString(const QString& prefix);

    // The text of the selected item; empty when none is selected.
    QString GetFontName() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
