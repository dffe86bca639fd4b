#pragma once

#include "export/ImageSet.h"

#include <QString>
#include <QStringList>

class CNacreformDoc;
class QWidget;

// What the set dialog asks of the user: the set and the folder it goes to.
struct SImageSetChoice
{
    SImageSetOptions options;
    QString folder;
};

// The modal dialogs of the image-set command. The program shows the real
// ones (CQtImageSetDialogs); tests hand in scripted answers so that the
// command never waits for a person.
class IImageSetDialogs
{
public:
    virtual ~IImageSetDialogs() = default;
    // Lets the user edit choice (it comes in with the last choices) for the
    // design; false when the user cancelled.
    virtual bool EditImageSet(QWidget* parent, const CNacreformDoc& design, SImageSetChoice& choice) = 0;
    // Whether the files (names, in the chosen folder) that exist already may
    // be replaced.
    virtual bool ConfirmReplace(QWidget* parent, const QStringList& existing) = 0;
};

// The real dialogs: CImageSetDlg and a question box in the framework's words.
class CQtImageSetDialogs : public IImageSetDialogs
{
public:
    bool EditImageSet(QWidget* parent, const CNacreformDoc& design, SImageSetChoice& choice) override;
    bool ConfirmReplace(QWidget* parent, const QStringList& existing) override;

    // The question ConfirmReplace asks.
    static QString ReplaceQuestion(const QStringList& existing);
};
