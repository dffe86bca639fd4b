#include "shell/EditHistory.h"

#include "design/DesignEditCommand.h"
#include "design/NacreformDoc.h"

CEditHistory::CEditHistory(CNacreformDoc& doc, QObject* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_recorded(doc)
{
    m_stack.setUndoLimit(kUndoLimit);
    connect(&m_stack, &QUndoStack::canUndoChanged, this, &CEditHistory::CanUndoChanged);
    connect(&m_stack, &QUndoStack::canRedoChanged, this, &CEditHistory::CanRedoChanged);
}

void CEditHistory::RecordEdit(bool typed)
{
    const int field = FirstDifferentField(m_recorded, m_doc);
    if (field < 0)
        return;
    m_stack.push(new CDesignEditCommand(m_doc, m_recorded, m_doc, field, typed,
                                        CDesignEditCommand::Clock::now()));
    m_recorded = m_doc;
}

void CEditHistory::Restore(void (QUndoStack::*step)())
{
    // An edit not yet recorded would be lost under the restored design.
    RecordEdit(false);
    (m_stack.*step)();
    m_recorded = m_doc;
    emit Restored();
}

void CEditHistory::Undo()
{
    if (m_stack.canUndo())
        Restore(&QUndoStack::undo);
}

void CEditHistory::Redo()
{
    if (m_stack.canRedo())
        Restore(&QUndoStack::redo);
}

void CEditHistory::Reset()
{
    m_stack.clear();
    m_recorded = m_doc;
}

void CEditHistory::MarkSaved()
{
    RecordEdit(false);
    m_stack.setClean();
}

bool CEditHistory::IsModified() const
{
    return !m_stack.isClean() || FirstDifferentField(m_recorded, m_doc) >= 0;
}
