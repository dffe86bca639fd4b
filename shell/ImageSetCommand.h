#pragma once

#include "shell/ImageSetDialogs.h"

#include <QString>

#include <memory>

class CIniFile;
class CNacreformDoc;
class IShellDialogs;
class QWidget;

// The "이미지 세트로 저장" command: asks for the set (starting from the
// choices made last time, kept in the settings file), asks before existing
// files are replaced, writes the set and says what could not be written.
class CImageSetCommand
{
public:
    // Section of the settings file that keeps the choices.
    static const QString kSection;
    // The message before the failures of a set.
    static const QString kFailedMessage;

    // doc and shell must outlive the command.
    CImageSetCommand(CNacreformDoc& doc, IShellDialogs& shell);
    ~CImageSetCommand();

    // Dialogs to use instead of the real ones (tests); not owned.
    void SetDialogs(IImageSetDialogs* dialogs) { m_pDialogs = dialogs; }
    // Settings file to keep the choices in; when empty, the application's.
    void SetSettingsPath(const QString& path) { m_strSettingsPath = path; }

    void Run(QWidget* parent);

    // The last choices in settings, the base name the design's (else
    // "button").
    static SImageSetChoice ReadChoice(CIniFile& settings, const CNacreformDoc& doc);
    static void WriteChoice(CIniFile& settings, const SImageSetChoice& choice);

private:
    IImageSetDialogs& Dialogs();
    QString SettingsPath() const;

    CNacreformDoc& m_doc;
    IShellDialogs& m_shell;
    std::unique_ptr<CQtImageSetDialogs> m_pQtDialogs;
    IImageSetDialogs* m_pDialogs = nullptr;
    QString m_strSettingsPath;
};
