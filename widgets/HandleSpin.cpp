#include "widgets/HandleSpin.h"

#include "util/Helpers.h"
#include "widgets/EditDouble.h"
#include "widgets/SpinButtonCtrl.h"

bool HandleSpin(int code, int position, CSpinButtonCtrl* spin)
{
    auto* field = spin ? qobject_cast<CEditDouble*>(spin->GetBuddy()) : nullptr;
    if (!field)
        return false;
    if (code != CSpinButtonCtrl::kThumbPosition)
        return true;
    // The typed fraction survives a step of the whole part.
    const QString text = field->text();
    const qsizetype point = text.indexOf(u'.');
    const QString fraction = point < 0 ? QStringLiteral(".00") : text.mid(point);
    field->setText(IntToString(position) + fraction);
    return true;
}
