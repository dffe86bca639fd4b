#pragma once

#include "shell/ShellDialogs.h"

#include <QList>

#include <functional>
#include <QStringList>

// Answers the handlers' dialogs from a script and remembers what was asked,
// so that no test ever waits on a modal dialog.
class CScriptedDialogs : public IShellDialogs
{
public:
    // Answers of the coming file dialogs, in order; an empty text cancels.
    // With the script used up, every further dialog is cancelled.
    QStringList fileAnswers;
    QList<SFileDialogRequest> fileRequests;
    QStringList messages;
    // Runs while a message is "open", as the event loop of a real message box does.
    std::function<void()> whileMessageShown;
    int aboutCount = 0;
    // Answers of the coming save questions, in order; with the script used
    // up, every further question is cancelled.
    QList<ESaveChanges> saveAnswers;
    QStringList saveQuestions;

    QString ChooseFile(QWidget*, const SFileDialogRequest& request) override
    {
        fileRequests.append(request);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
    void ShowMessage(QWidget*, const QString& text) override
    {
        messages.append(text);
        if (whileMessageShown)
            whileMessageShown();
    }
    ESaveChanges AskSaveChanges(QWidget*, const QString& text) override
    {
        saveQuestions.append(text);
        return saveAnswers.isEmpty() ? ESaveChanges::Cancel : saveAnswers.takeFirst();
    }
    // Answers of the coming yes/no questions, in order; with the script used
    // up, every further question is answered いいえ.
    QList<bool> yesNoAnswers;
    QStringList yesNoQuestions;
    bool AskYesNo(QWidget*, const QString& text) override
    {
        yesNoQuestions.append(text);
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    // Answers of the coming preset galleries, in order; with the script used
    // up, every further gallery is cancelled.
    QList<std::optional<QString>> presetAnswers;
    int presetGalleries = 0;
    std::optional<QString> ChoosePreset(QWidget*) override
    {
        ++presetGalleries;
        return presetAnswers.isEmpty() ? std::nullopt : presetAnswers.takeFirst();
    }
    void ShowAbout(QWidget*) override { ++aboutCount; }
};
