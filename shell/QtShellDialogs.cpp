#include "shell/QtShellDialogs.h"

#include "shell/AboutDlg.h"
#include "shell/PresetGalleryDlg.h"
#include "widgets/QuietFileListing.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

const QString CQtShellDialogs::kMessageCaption = QStringLiteral("Nacreform");

void CQtShellDialogs::ConfigureFileDialog(QFileDialog& dialog, const SFileDialogRequest& request)
{
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.defaultSuffix.isEmpty()) {
        // A name typed without extension takes the chosen file type's.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            static const QRegularExpression firstSuffix(QStringLiteral("\\*\\.(\\w+)"));
            const QRegularExpressionMatch match = firstSuffix.match(filter);
            if (match.hasMatch())
                dialog.setDefaultSuffix(match.captured(1));
        });
    }
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    // Qt asks before an existing file is replaced unless told otherwise;
    // saying it keeps that promise of the interface visible here.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    ListFilesWithoutReading(dialog);
}

QString CQtShellDialogs::ChooseFile(QWidget* parent, const SFileDialogRequest& request)
{
    QFileDialog dialog(parent);
    ConfigureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void CQtShellDialogs::ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, kMessageCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

ESaveChanges CQtShellDialogs::AskSaveChanges(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, kMessageCaption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    // Set here rather than left to Qt's catalogue, which may not be
    // installed: the question must read in one language.
    // With mnemonics, as the platform's own boxes have: Y and N answer.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return ESaveChanges::Save;
    case QMessageBox::No:
        return ESaveChanges::Discard;
    default:
        return ESaveChanges::Cancel;
    }
}

bool CQtShellDialogs::AskYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, kMessageCaption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> CQtShellDialogs::ChoosePreset(QWidget* parent)
{
    CPresetGalleryDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.SelectedPreset();
}

void CQtShellDialogs::ShowAbout(QWidget* parent)
{
    CAboutDlg dialog(parent);
    dialog.exec();
}
