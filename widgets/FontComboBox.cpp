#include "widgets/FontComboBox.h"

#include "widgets/FontItemDelegate.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

// Case-insensitive order, so that a name sorts before the longer names that
// begin with it.
bool FontNameLess(const QString& a, const QString& b)
{
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

} // namespace

CFontComboBox::CFontComboBox(QWidget* parent)
    : QComboBox(parent)
{
    constexpr int kDroppedWidth = 280;
    setEditable(true);
    // Typed text selects nothing and adds nothing; only a choice from the list counts.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setItemDelegate(new CFontItemDelegate(this));
    view()->setMinimumWidth(kDroppedWidth);

    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(), FontNameLess);
    addItems(families);
    setCurrentIndex(-1);
}

int CFontComboBox::SelectString(const QString& prefix)
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
            setCurrentIndex(i);
            return i;
        }
    }
    return -1;
}

void CFontComboBox::ShowFontName(const QString& name)
{
    QFont face = font();
    const bool installed = SelectString(name) >= 0;
    face.setItalic(!installed);
    lineEdit()->setFont(face);
    if (installed) {
        setToolTip(QString());
        return;
    }
    setCurrentIndex(-1);
    lineEdit()->setText(name);
    setToolTip(MissingFontTip(name, QFontInfo(QFont(name)).family()));
}

QString CFontComboBox::MissingFontTip(const QString& name, const QString& standIn)
{
    return QStringLiteral("'%1' 글꼴이 설치되어 있지 않아 '%2'(으)로 표시합니다.").arg(name, standIn);
}

QString CFontComboBox::GetFontName() const
{
    const int selected = currentIndex();
    return selected < 0 ? QString() : itemText(selected);
}

void CFontComboBox::keyPressEvent(QKeyEvent* event)
{
    // The combo box would pick the item named by the typed text; Enter
    // belongs to the page instead.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}
