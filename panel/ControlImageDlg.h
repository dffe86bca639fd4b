#pragma once

#include "panel/ControlPage.h"

#include <memory>

class CEditDouble;
class CEditInt;
class IPictureFileChooser;
class QLineEdit;

// The picture tab: chooses, reloads or removes the picture file and edits the
// picture's size, position and opacity and its drop shadow. The page never
// opens the picture: it stores the path, and the next render loads it. Which
// controls apply follows the document (a picture chosen, shadow enabled).
class CControlImageDlg : public CControlPage
{
    Q_OBJECT

public:
    explicit CControlImageDlg(QWidget* parent);
    ~CControlImageDlg() override;

    void LoadFromDocument() override;
    void UpdateControlStates() override;

    // The chooser behind "경로"; the standard file dialog until replaced.
    void SetFileChooser(std::unique_ptr<IPictureFileChooser> chooser);

    // The text after the last path separator ('/' or '\\').
    static QString FileNamePart(const QString& path);

private:
    void OnChooseFile();
    void OnDeleteFile(CNacreformDoc& doc);

    std::unique_ptr<IPictureFileChooser> m_pFileChooser;
    QLineEdit* m_editFileName;
    CEditInt* m_editImageAlpha;
    CEditDouble* m_editImageSize;
    CEditDouble* m_editShadowY;
    CEditDouble* m_editShadowX;
    CEditInt* m_editShadowAlpha;
    CEditDouble* m_editImageY;
    CEditDouble* m_editImageX;
    ShadowControls m_shadow;
};
