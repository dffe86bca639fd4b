#pragma once

#include "design/DesignValues.h"

#include <QUndoCommand>

#include <chrono>

class CNacreformDoc;

// One step of the undo history: the design before and after an edit. The
// edit has already been made when the step is recorded, so its first redo
// changes nothing. Edits typed into one field (or stepped, or dragged) within
// one burst merge into a single step: a step that would merge into nothing
// (a value typed and typed back) leaves the history.
class CDesignEditCommand : public QUndoCommand
{
public:
    using Clock = std::chrono::steady_clock;
    // Typed edits closer together than this belong to one burst; the same
    // rest after which the preview renders a typed value.
    static constexpr std::chrono::milliseconds kBurst{300};

    // field: the file-order index of the changed field (FirstDifferentField);
    // typed: a value typed, stepped or dragged in a field (it may merge with
    // the steps of the same burst), not a click or a choice.
    CDesignEditCommand(CNacreformDoc& doc, const CDesignValues& before, const CDesignValues& after,
                       int field, bool typed, Clock::time_point when);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    CNacreformDoc& m_doc;
    CDesignValues m_before;
    CDesignValues m_after;
    int m_field;
    bool m_typed;
    Clock::time_point m_last;
    bool m_done = true;
};
