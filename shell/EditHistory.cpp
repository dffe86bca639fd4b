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
    connect(&m_stack, &QUndoStack::undoTextChanged, this, &CEditHistory::UndoTextChanged);
    connect(&m_stack, &QUndoStack::redoTextChanged, this, &CEditHistory::RedoTextChanged);
}

QString CEditHistory::StepName(int field)
{
    // In the order of the design file; where pages share a label, the page
    // says whose it is.
    static const QStringList kNames = {
        QStringLiteral("배경"), QStringLiteral("배경색"), QStringLiteral("여백"), QStringLiteral("도형 사이즈"),
        QStringLiteral("도형 색"), QStringLiteral("도형 두 번째 색"), QStringLiteral("도형 그림자 사용"),
        QStringLiteral("도형 그림자 좌표"), QStringLiteral("도형 그림자 불투명도"), QStringLiteral("문자열"),
        QStringLiteral("폰트"), QStringLiteral("굵게"), QStringLiteral("문자 사이즈"), QStringLiteral("문자 좌표"),
        QStringLiteral("문자색"), QStringLiteral("문자 불투명도"), QStringLiteral("문자 그림자 사용"),
        QStringLiteral("문자 그림자 좌표"), QStringLiteral("그림자색"), QStringLiteral("그림자색을 문자색에 맞춤"),
        QStringLiteral("문자 그림자 불투명도"), QStringLiteral("그림 파일"), QStringLiteral("그림 불투명도"),
        QStringLiteral("그림 좌표"), QStringLiteral("그림 사이즈"), QStringLiteral("그림 그림자 사용"),
        QStringLiteral("그림 그림자 좌표"), QStringLiteral("그림 그림자 불투명도"), QStringLiteral("도형"),
    };
    return kNames.value(field);
}

void CEditHistory::RecordEdit(bool typed)
{
    const int field = FirstDifferentField(m_recorded, m_doc);
    if (field < 0)
        return;
    auto* step = new CDesignEditCommand(m_doc, m_recorded, m_doc, field, typed, CDesignEditCommand::Clock::now());
    step->setText(StepName(field));
    m_stack.push(step);
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
