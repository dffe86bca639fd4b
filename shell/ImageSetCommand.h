#pragma once

#include "shell/DesktopServices.h"
#include "shell/ImageSetDialogs.h"

#include <QString>

class CIniFile;
class CNacreformDoc;
class IShellDialogs;
class QWidget;

// The "이미지 세트로 저장" command: asks for the set (starting from the
// choices made last time, kept in the settings file), asks before existing
// files are replaced (a refusal returns to the set dialog), writes the set
// and says what it wrote, offering to open the folder, or what could not be
// written.
class CImageSetCommand
{
public:
    // Section of the settings file that keeps the choices.
    static const QString kSection;
    // The message before the failures of a set.
    static const QString kFailedMessage;
    // The message before a folder the desktop could not open.
    static const QString kOpenFolderFailedMessage;

    // doc and shell must outlive the command.
    CImageSetCommand(CNacreformDoc& doc, IShellDialogs& shell);
    ~CImageSetCommand();

    // Dialogs and desktop to use instead of the real ones (tests); not owned,
    // not null.
    void SetDialogs(IImageSetDialogs* dialogs) { m_pDialogs = dialogs; }
    void SetDesktop(IDesktopServices* desktop) { m_pDesktop = desktop; }
    // Settings file to keep the choices in; when empty, the application's.
    void SetSettingsPath(const QString& path) { m_strSettingsPath = path; }

    void Run(QWidget* parent);

    // The last choices in settings, the base name the design's (else
    // "button").
    static SImageSetChoice ReadChoice(CIniFile& settings, const CNacreformDoc& doc);
    static void WriteChoice(CIniFile& settings, const SImageSetChoice& choice);

private:
    QString SettingsPath() const;

    CNacreformDoc& m_doc;
    IShellDialogs& m_shell;
    CQtImageSetDialogs m_qtDialogs;
    IImageSetDialogs* m_pDialogs = &m_qtDialogs;
    CQtDesktopServices m_qtDesktop;
    IDesktopServices* m_pDesktop = &m_qtDesktop;
    QString m_strSettingsPath;
};
