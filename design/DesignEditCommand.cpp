#include "design/DesignEditCommand.h"

#include "design/NacreformDoc.h"

CDesignEditCommand::CDesignEditCommand(CNacreformDoc& doc, const CDesignValues& before,
                                       const CDesignValues& after, int field, bool typed,
                                       Clock::time_point when)
    : m_doc(doc)
    , m_before(before)
    , m_after(after)
    , m_field(field)
    , m_typed(typed)
    , m_last(when)
{
}

void CDesignEditCommand::undo()
{
    m_doc.ApplyValues(m_before);
    m_done = false;
}

void CDesignEditCommand::redo()
{
    // The stack redoes a step as it is pushed; the document already holds it.
    if (!m_done)
        m_doc.ApplyValues(m_after);
    m_done = true;
}

int CDesignEditCommand::id() const
{
    // Ids count from 1: 0 would still be a valid id for the stack.
    return m_typed ? m_field + 1 : -1;
}

bool CDesignEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const CDesignEditCommand*>(other);
    if (next->m_last - m_last > kBurst || FirstDifferentField(m_after, next->m_before) != -1)
        return false;
    m_after = next->m_after;
    m_last = next->m_last;
    setObsolete(FirstDifferentField(m_before, m_after) == -1);
    return true;
}
