#include "shell/ImageSetCommand.h"

#include "shell/NacreformApp.h"
#include "shell/ShellDialogs.h"
#include "design/IniFile.h"
#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

const QString CImageSetCommand::kSection = QStringLiteral("Image Set");
const QString CImageSetCommand::kFailedMessage = QStringLiteral("画像セットの保存に失敗しました。\n\n");
const QString CImageSetCommand::kOpenFolderFailedMessage = QStringLiteral("フォルダーを開けませんでした。\n\n");

namespace {

const QString kScalesKey = QStringLiteral("Scales");
const QString kStatesKey = QStringLiteral("States");
const QString kPatternKey = QStringLiteral("Pattern");
const QString kFolderKey = QStringLiteral("Folder");
const QString kSpriteKey = QStringLiteral("Sprite");
const QString kFormatsKey = QStringLiteral("Formats");

} // namespace

CImageSetCommand::CImageSetCommand(CNacreformDoc& doc, IShellDialogs& shell)
    : m_doc(doc)
    , m_shell(shell)
{
}

CImageSetCommand::~CImageSetCommand() = default;

QString CImageSetCommand::SettingsPath() const
{
    if (!m_strSettingsPath.isEmpty())
        return m_strSettingsPath;
    const CNacreformApp* app = CNacreformApp::GetApp();
    return app ? app->GetProfileName() : QString();
}

SImageSetChoice CImageSetCommand::ReadChoice(CIniFile& settings, const CNacreformDoc& doc)
{
    SImageSetChoice choice;
    SImageSetOptions& options = choice.options;
    const QString scales = settings.GetString(kSection, kScalesKey, QString(), false);
    if (!scales.isEmpty()) {
        options.scales.clear();
        for (const QString& text : scales.split(QLatin1Char(','))) {
            const double scale = CIniFile::ParseDouble(text);
            if (OfferedExportScales().contains(scale) && !options.scales.contains(scale))
                options.scales.append(scale);
        }
    }
    const QString states = settings.GetString(kSection, kStatesKey, QString(), false);
    if (!states.isEmpty()) {
        options.states.clear();
        for (const QString& text : states.split(QLatin1Char(','))) {
            if (const auto state = ParseButtonState(text); state && !options.states.contains(*state))
                options.states.append(*state);
        }
    }
    for (const QString& text : settings.GetString(kSection, kFormatsKey, QString(), false).split(QLatin1Char(','))) {
        if (const auto format = ParseImageFormat(text); format && !options.formats.contains(*format))
            options.formats.append(*format);
    }
    options.pattern = settings.GetString(kSection, kPatternKey, kDefaultFileNamePattern, false,
                                         CIniFile::kSettingsReadLimit);
    options.sprite = settings.GetBool(kSection, kSpriteKey, false);
    const QString base = QFileInfo(doc.GetPathName()).completeBaseName();
    options.name = base.isEmpty() ? QStringLiteral("button") : base;
    choice.folder = settings.GetString(kSection, kFolderKey,
                                       QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), false,
                                       CIniFile::kSettingsReadLimit);
    return choice;
}

void CImageSetCommand::WriteChoice(CIniFile& settings, const SImageSetChoice& choice)
{
    QStringList scales, states, formats;
    for (double scale : choice.options.scales)
        scales.append(ScaleText(scale));
    for (EButtonState state : choice.options.states)
        states.append(ButtonStateName(state));
    for (EImageFormat format : choice.options.formats)
        formats.append(ImageFormatName(format));
    settings.WriteString(kSection, kScalesKey, scales.join(QLatin1Char(',')), false);
    settings.WriteString(kSection, kStatesKey, states.join(QLatin1Char(',')), false);
    settings.WriteString(kSection, kFormatsKey, formats.join(QLatin1Char(',')), false);
    settings.WriteString(kSection, kPatternKey, choice.options.pattern, false);
    settings.WriteString(kSection, kFolderKey, choice.folder, false);
    settings.WriteBool(kSection, kSpriteKey, choice.options.sprite);
}

void CImageSetCommand::Run(QWidget* parent)
{
    const QString settingsPath = SettingsPath();
    SImageSetChoice choice;
    {
        CIniFile settings(settingsPath, false);
        choice = ReadChoice(settings, m_doc);
    }
    QStringList files;
    // Asked with the dialog still open: a refused replacement returns to it.
    const auto mayWrite = [this, &files](QWidget* dialog, const SImageSetChoice& chosen) {
        QString why;
        files = PlanImageSet(chosen.options, &why);
        if (files.isEmpty()) {
            m_shell.ShowMessage(dialog, kFailedMessage + why);
            return false;
        }
        QStringList existing;
        for (const QString& file : std::as_const(files)) {
            if (QFileInfo::exists(QDir(chosen.folder).filePath(file)))
                existing.append(file);
        }
        return existing.isEmpty() || m_pDialogs->ConfirmReplace(dialog, existing);
    };
    if (!m_pDialogs->EditImageSet(parent, m_doc, choice, mayWrite))
        return;
    if (!settingsPath.isEmpty()) {
        QDir().mkpath(QFileInfo(settingsPath).absolutePath());
        CIniFile settings(settingsPath, false);
        WriteChoice(settings, choice);
        settings.Flush();
    }

    if (!QDir().mkpath(choice.folder)) {
        m_shell.ShowMessage(parent, kFailedMessage + choice.folder);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList failures = WriteImageSet(m_doc, choice.options, choice.folder).failures;
    QGuiApplication::restoreOverrideCursor();
    if (!failures.isEmpty()) {
        m_shell.ShowMessage(parent, kFailedMessage + failures.join(QLatin1Char('\n')));
        return;
    }
    if (m_pDialogs->ReportWritten(parent, choice.folder, files) && !m_pDesktop->OpenFolder(choice.folder))
        m_shell.ShowMessage(parent, kOpenFolderFailedMessage + choice.folder);
}
