#pragma once

#include "design/DesignValues.h"

#include <QObject>
#include <QUndoStack>

class CNacreformDoc;

// The undo history of the one design. The panel and the shape commands change
// the document directly; each time they ask for a render, RecordEdit compares
// the design with the last recorded state and records the change as one step.
// The history also knows whether the design differs from its saved state:
// undoing back to that state makes it unmodified again.
class CEditHistory : public QObject
{
    Q_OBJECT

public:
    // Far more steps than a session of edits reaches; each step keeps two
    // copies of a few hundred bytes.
    static constexpr int kUndoLimit = 1000;

    // doc must outlive the history.
    explicit CEditHistory(CNacreformDoc& doc, QObject* parent = nullptr);

    // Records the change since the last record, if any, as one step. typed:
    // a value typed, stepped or dragged in a field, which merges with the
    // steps of the same field and burst.
    void RecordEdit(bool typed);
    // Each restores the design and then signals Restored.
    void Undo();
    void Redo();

    // A design created or opened: no steps, nothing modified.
    void Reset();
    // The design as it stands has been saved.
    void MarkSaved();
    bool IsModified() const;

    const QUndoStack& GetStack() const { return m_stack; }

    // What a step that changed the field (its file-order index) is called
    // in the edit menu: the field's label on its page, or the command that
    // sets it ("여백", "도형").
    static QString StepName(int field);

signals:
    // After an undo or a redo changed the design.
    void Restored();
    // Whether there is a step to undo or to redo.
    void CanUndoChanged(bool canUndo);
    void CanRedoChanged(bool canRedo);
    // The name of the step an undo or a redo would take; empty when none.
    void UndoTextChanged(const QString& name);
    void RedoTextChanged(const QString& name);

private:
    void Restore(void (QUndoStack::*step)());

    CNacreformDoc& m_doc;
    QUndoStack m_stack;
    // The design as the newest step (or the last reset) left it.
    CDesignValues m_recorded;
};
