#pragma once

#include "render/RendererTable.h"

// Command ids of the menu, toolbar and accelerators. The shape commands are
// the renderer ids themselves (RenderCommand), so a design's RenderID names
// the button that shows pressed.
enum ShellCommand : unsigned {
    kIdFileNew = 57600,
    kIdFileOpen = 57601,
    kIdFileSave = 57603,
    kIdFileSaveAs = 57604,
    kIdFileMruFirst = 57616,
    kIdEditCopy = 57634,
    kIdEditUndo = 57643,
    kIdEditRedo = 57644,
    kIdAppAbout = 57664,
    kIdAppExit = 57665,
    kIdExportImage = 32775,
    kIdExportImageSet = 32776,
    kIdFileRevert = 32777,
    kIdEditFitToCaption = 32778,
    kIdViewZoomIn = 32790,
    kIdViewZoomOut = 32791,
    kIdViewActualSize = 32792,
    kIdViewZoomFit = 32793,
};
