#pragma once

#include "shell/ImageSetDialogs.h"

#include <QDialog>
#include <QList>
#include <QSize>

class CNacreformDoc;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "이미지 세트로 저장" dialog: scales, states (each with a small preview of
// the design in it) and file formats to write, base name, file-name pattern,
// folder, sprite sheet instead of single images, and the list of the files
// that will be written. OK is offered only for a set that can be written.
class CImageSetDlg : public QDialog
{
    Q_OBJECT

public:
    static const QString kCaption;
    // The state previews' box, in pixels: a design that fits shows as it
    // is exported at 1x, caption and all; a larger one is reduced to fit.
    static constexpr QSize kPreviewBox{200, 150};

    // Shows choice; design gives the previews. design must outlive the dialog.
    CImageSetDlg(const CNacreformDoc& design, const SImageSetChoice& choice, QWidget* parent = nullptr);

    // What the dialog shows now.
    SImageSetChoice GetChoice() const;
    // Asked before the dialog closes with OK; while it refuses, the dialog
    // stays open as it is.
    void SetAcceptCheck(const IImageSetDialogs::AcceptCheck& check) { m_acceptCheck = check; }
    void accept() override;

    // The files the choice writes, as listed; empty with a reason shown
    // while the choice makes no set.
    QStringList GetListedFiles() const;
    bool CanAccept() const;

    QList<QCheckBox*> GetScaleBoxes() const { return m_scaleBoxes; }
    QList<QCheckBox*> GetStateBoxes() const { return m_stateBoxes; }
    QList<QLabel*> GetStatePreviews() const { return m_statePreviews; }
    QList<QCheckBox*> GetFormatBoxes() const { return m_formatBoxes; }
    QLineEdit* GetPatternEdit() const { return m_pPattern; }
    QLineEdit* GetFolderEdit() const { return m_pFolder; }
    QCheckBox* GetSpriteBox() const { return m_pSprite; }

private:
    void OnChanged();
    void OnBrowseFolder();

    QList<QCheckBox*> m_scaleBoxes;
    QList<QCheckBox*> m_stateBoxes;
    QList<QLabel*> m_statePreviews;
    QList<QCheckBox*> m_formatBoxes;
    QLineEdit* m_pName = nullptr;
    QLineEdit* m_pPattern = nullptr;
    QLineEdit* m_pFolder = nullptr;
    QCheckBox* m_pSprite = nullptr;
    QListWidget* m_pFiles = nullptr;
    QLabel* m_pProblem = nullptr;
    QPushButton* m_pOk = nullptr;
    IImageSetDialogs::AcceptCheck m_acceptCheck;
};
