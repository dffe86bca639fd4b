#pragma once

#include "widgets/SilentEdit.h"

// The caption field of the text page: a plain line edit (no key filtering,
// no character conversion) whose change signal leaves out the field's own
// updates.
//
// How a page uses it:
//   - create it (active from construction) and place it;
//   - load a design with SetTextSilently(doc->String): no valueChanged;
//   - connect valueChanged: it fires on every change that did not come from
//     SetTextSilently (typing, pasting, deleting all text, setText by others),
//     carrying the whole text exactly as it stands (full-width characters and
//     spaces included); write it into the document and ask for a deferred render.
class CEditText : public CSilentEdit
{
    Q_OBJECT

public:
    explicit CEditText(QWidget* parent = nullptr);

    QString GetText() const { return text(); }

signals:
    void valueChanged(const QString& text);

protected:
    void OnTextChanged(const QString& text) override;
};
