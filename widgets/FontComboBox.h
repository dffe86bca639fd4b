#pragma once

#include <QComboBox>

// The font-name drop-down of the text page: an editable combo box listing
// every font family of the system in sorted order, each name drawn in its own
// face in 25-pixel rows; the dropped list is at least 280 pixels wide. The
// list is filled once, on construction. Text typed into the edit part selects
// nothing and adds nothing.
//
// How a page uses it:
//   - load a design with ShowFontName(doc->FontName): the first item that
//     begins with the name, ignoring case, becomes the selection (the exact
//     name when installed, since it sorts before longer names); a name that
//     no item matches still shows, in italics, with the face drawn instead in
//     its tool tip; no signal is emitted;
//   - connect activated(int) (the user chose an item): write GetFontName()
//     into the document and ask for an immediate render.
class CFontComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CFontComboBox(QWidget* parent = nullptr);

    // Index of the newly selected item, or -1 when none matched.
    int SelectString(const QString& prefix);

    // SelectString, and for a name that is not installed: no selection, the
    // name in italics in the edit part, the face that stands in for it in the
    // tool tip.
    void ShowFontName(const QString& name);
    // The tool tip of a name that is not installed.
    static QString MissingFontTip(const QString& name, const QString& standIn);

    // The text of the selected item; empty when none is selected.
    QString GetFontName() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
