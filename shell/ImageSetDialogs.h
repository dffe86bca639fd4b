#pragma once

#include "export/ImageSet.h"

#include <QString>
#include <QStringList>

#include <functional>

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
    // Whether the dialog may close with a choice; it is asked with the dialog
    // (or, in tests, no window) as the parent of any question of its own.
    using AcceptCheck = std::function<bool(QWidget* dialog, const SImageSetChoice& choice)>;

    // Lets the user edit choice (it comes in with the last choices) for the
    // design. The dialog stays open, its choices as they were, while check
    // refuses the choice; false when the user cancelled.
    virtual bool EditImageSet(QWidget* parent, const CNacreformDoc& design, SImageSetChoice& choice,
                              const AcceptCheck& check) = 0;
    // Whether the files (names, in the chosen folder) that exist already may
    // be replaced.
    virtual bool ConfirmReplace(QWidget* parent, const QStringList& existing) = 0;
    // Says that files were written into folder; true when the user asked to
    // see the folder.
    virtual bool ReportWritten(QWidget* parent, const QString& folder, const QStringList& files) = 0;
};

// The real dialogs: CImageSetDlg, and message boxes for the question (in the
// framework's words) and the report (in the program's).
class CQtImageSetDialogs : public IImageSetDialogs
{
public:
    bool EditImageSet(QWidget* parent, const CNacreformDoc& design, SImageSetChoice& choice,
                      const AcceptCheck& check) override;
    bool ConfirmReplace(QWidget* parent, const QStringList& existing) override;
    bool ReportWritten(QWidget* parent, const QString& folder, const QStringList& files) override;

    // The question ConfirmReplace asks.
    static QString ReplaceQuestion(const QStringList& existing);
    // The report's text.
    static QString WrittenText(const QStringList& files);
};
