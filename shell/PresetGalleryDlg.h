#pragma once

#include <QDialog>

class QListWidget;

// The gallery File ▸ New opens: the plain default design first, then every
// built-in preset, each as the renderer draws it with its title. A double
// click or "만들기" chooses; the choice is read after the dialog closed.
class CPresetGalleryDlg : public QDialog
{
    Q_OBJECT

public:
    static const QString kTitle;
    static const QString kDefaultDesignTitle;
    // The largest thumbnail, in pixels of the screen at 1x.
    static constexpr int kThumbnailWidth = 176;
    static constexpr int kThumbnailHeight = 96;

    explicit CPresetGalleryDlg(QWidget* parent = nullptr);

    // The chosen preset's name; an empty text for the default design.
    QString SelectedPreset() const;
    QListWidget* GetList() const { return m_pList; }

private:
    QListWidget* m_pList;
};
