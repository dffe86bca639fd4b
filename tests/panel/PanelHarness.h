#pragma once

#include "tests/shell/ShellHarness.h"

#include "panel/ControlDlg.h"
#include "panel/ControlImageDlg.h"
#include "panel/ControlShapeDlg.h"
#include "panel/ControlTextDlg.h"
#include "panel/PictureFileChooser.h"
#include "panel/TabCtrl.h"
#include "util/DlgItems.h"
#include "widgets/ColorChooser.h"
#include "widgets/ColorWnd.h"

#include <QAbstractButton>
#include <QColor>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// Answers colour choosers from a script; an empty script cancels.
class CScriptedColorChooser : public IColorChooser
{
public:
    QList<QColor> answers;
    int asked = 0;

    bool ChooseColor(QWidget*, QColor& color) override
    {
        ++asked;
        if (answers.isEmpty())
            return false;
        color = answers.takeFirst();
        return true;
    }
};

// Answers the picture page's file chooser from a script; an empty answer cancels.
class CScriptedPictureChooser : public IPictureFileChooser
{
public:
    explicit CScriptedPictureChooser(QStringList* answers)
        : m_answers(answers)
    {
    }
    QString ChoosePictureFile() override { return m_answers->isEmpty() ? QString() : m_answers->takeFirst(); }

private:
    QStringList* m_answers;
};

// The real main window with the default design, shown, with scripted colour
// and picture choosers in every page and a count of the view's renders.
struct SPanelHarness : SShellHarness
{
    CScriptedColorChooser colors;
    QStringList pictureAnswers;
    std::unique_ptr<QSignalSpy> renders;

    SPanelHarness()
    {
        Frame().show();
        for (CColorWnd* swatch : Bar().findChildren<CColorWnd*>())
            swatch->SetColorChooser(&colors);
        ImagePage().SetFileChooser(std::make_unique<CScriptedPictureChooser>(&pictureAnswers));
        renders = std::make_unique<QSignalSpy>(&View(), &CNacreformView::Rendered);
    }

    CControlDlg& Bar() { return *Frame().GetControlDlg(); }
    CControlShapeDlg& ShapePage() { return *Bar().GetShapePage(); }
    CControlTextDlg& TextPage() { return *Bar().GetTextPage(); }
    CControlImageDlg& ImagePage() { return *Bar().GetImagePage(); }

    // Brings a page to the front the way a user does, by its tab.
    void SelectTab(CControlDlg::Tab tab)
    {
        Bar().GetTabCtrl()->SetCurSel(tab);
    }

    int RenderCount() const { return int(renders->count()); }
};

// The control with dialog id on page, as T; fails the test when missing.
template <class T>
T* Item(QWidget& page, int id)
{
    auto* item = qobject_cast<T*>(GetDlgItem(&page, id));
    if (!item)
        qFatal("no control %d of the expected class", id);
    return item;
}

// The swatch that took the place of a placeholder.
inline CColorWnd* SwatchAt(QWidget& page, int placeholderId)
{
    const QRect place = GetDlgItem(&page, placeholderId)->geometry();
    for (CColorWnd* swatch : page.findChildren<CColorWnd*>()) {
        if (swatch->geometry() == place)
            return swatch;
    }
    qFatal("no swatch at placeholder %d", placeholderId);
}

// A left click where a check box or radio button takes it (its indicator).
inline void ClickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Types text where the focus is: ASCII as keys, anything else as an input
// method would commit it.
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QInputMethodEvent composed;
            composed.setCommitString(QString(c));
            QApplication::sendEvent(widget, &composed);
        }
    }
}

// Replaces the field's whole text by typing.
inline void TypeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    TypeText(field, text);
}

// Every design parameter as the design file stores it, key by key.
inline QMap<QString, QString> DesignOf(CNacreformDoc& doc, const QString& path)
{
    QMap<QString, QString> values;
    if (!doc.OnSaveDocument(path))
        return values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1));
    }
    return values;
}
