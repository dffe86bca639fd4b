#pragma once

#include "util/DlgItems.h"
#include "widgets/HandleSpin.h"
#include "widgets/SpinButtonCtrl.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

// A page holding one numeric field and its spin, wired as the control pages
// wire them, shown so that real input reaches it.
template <class Field>
struct FieldPage
{
    static constexpr int kSpinId = 1006;

    QWidget page;
    Field* field = new Field(&page);
    CSpinButtonCtrl* spin = new CSpinButtonCtrl(&page);

    FieldPage()
    {
        page.resize(200, 80);
        field->setGeometry(10, 20, 80, 22);
        SetDlgCtrlId(spin, kSpinId);
        spin->resize(16, 22);
        spin->SetBuddy(field);
        QObject::connect(spin, &CSpinButtonCtrl::scrolled, spin, &HandleSpin);
    }

    bool Show()
    {
        page.show();
        field->setFocus();
        return QTest::qWaitForWindowExposed(&page);
    }
};

// Types text as a user would: key by key at the caret.
inline void Type(QLineEdit* field, const QString& keys)
{
    QTest::keyClicks(field, keys);
}

inline void SelectAllAndType(QLineEdit* field, const QString& keys)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    Type(field, keys);
}

inline void Erase(QLineEdit* field)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
}

// A character committed by an input method, as a Japanese IME sends
// full-width digits.
inline void Compose(QLineEdit* field, const QString& committed)
{
    QInputMethodEvent event;
    event.setCommitString(committed);
    QCoreApplication::sendEvent(field, &event);
}

// Right-button drag from the field's centre by dy pixels (negative is up).
inline void RightDrag(QLineEdit* field, int dy, Qt::KeyboardModifiers modifiers)
{
    const QPoint start = field->rect().center();
    QTest::mousePress(field, Qt::RightButton, Qt::NoModifier, start);
    QTest::mouseEvent(QTest::MouseMove, field, Qt::NoButton, modifiers, start + QPoint(0, dy));
    QTest::mouseRelease(field, Qt::RightButton, modifiers, start + QPoint(0, dy));
}
