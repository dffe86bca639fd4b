#pragma once

#include <QString>

class QWidget;

// The modal chooser behind the picture page's "경로" button. The program uses
// CPictureFileDialog; tests hand the page a scripted one.
class IPictureFileChooser
{
public:
    virtual ~IPictureFileChooser() = default;
    // The full path of the confirmed file; empty when cancelled.
    virtual QString ChoosePictureFile() = 0;
};

// The standard open-file dialog, offering every picture format in one filter.
class CPictureFileDialog final : public IPictureFileChooser
{
public:
    QString ChoosePictureFile() override;

    // One entry, "全ての画像形式", with the formats the picture layer reads
    // on this machine (PictureFileSuffixes), whose patterns match in either
    // letter case (the file system's matching is case-sensitive here).
    static QString Filter();
};
