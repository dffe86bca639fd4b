// Writes a picture of File ▸ New's preset gallery, for the documentation:
// preset_gallery_shot docs/preset-gallery.png

#include "shell/PresetGalleryDlg.h"

#include <QApplication>
#include <QListWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: preset_gallery_shot OUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    CPresetGalleryDlg gallery;
    gallery.GetList()->setCurrentRow(1);
    gallery.show();
    QApplication::processEvents();
    if (!gallery.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "preset_gallery_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
