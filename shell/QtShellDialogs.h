#pragma once

#include "shell/ShellDialogs.h"

class QFileDialog;

// The real dialogs: Qt's file dialog, warning message boxes, the preset
// gallery and CAboutDlg.
class CQtShellDialogs : public IShellDialogs
{
public:
    // Caption of every message box.
    static const QString kMessageCaption;

    QString ChooseFile(QWidget* parent, const SFileDialogRequest& request) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    ESaveChanges AskSaveChanges(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    std::optional<QString> ChoosePreset(QWidget* parent) override;
    void ShowAbout(QWidget* parent) override;

    // Sets dialog up as request asks (mode, title, filters, suffix, name,
    // overwrite confirmation) without showing it; its listing never reads a
    // file (ListFilesWithoutReading).
    static void ConfigureFileDialog(QFileDialog& dialog, const SFileDialogRequest& request);
};
