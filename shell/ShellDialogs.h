#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// What a file dialog is asked for. Filters are Qt name filters,
// "Description (*.ext)"; the first is selected.
struct SFileDialogRequest
{
    bool save = false;
    QString title;
    QStringList filters;
    // Appended to a typed name without extension; saves only. Choosing
    // another filter appends that filter's first extension instead.
    QString defaultSuffix;
    // File name proposed in the name field.
    QString proposedName;
};

// The answers to the question whether to save a modified design.
enum class ESaveChanges { Save, Discard, Cancel };

// Every modal dialog the command handlers open. The program shows the real
// dialogs (CShellDialogs); tests hand in scripted answers so that no handler
// ever waits for a person.
class IShellDialogs
{
public:
    virtual ~IShellDialogs() = default;
    // The chosen path, or an empty text when the user cancelled. A save
    // dialog has already confirmed replacing an existing file.
    virtual QString ChooseFile(QWidget* parent, const SFileDialogRequest& request) = 0;
    // A message box captioned with the application title and an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // Asks text with the buttons はい(&Y) (save), いいえ(&N) (discard) and
    // キャンセル (also Escape), captioned like a message box.
    virtual ESaveChanges AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // Asks text with the buttons はい and いいえ (the default), captioned like
    // a message box: true for はい.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // The preset gallery: the chosen preset's name, an empty text for the
    // plain default design, nothing when cancelled.
    virtual std::optional<QString> ChoosePreset(QWidget* parent) = 0;
    // The about box.
    virtual void ShowAbout(QWidget* parent) = 0;
};
