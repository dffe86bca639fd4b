#pragma once

#include "export/ButtonStates.h"
#include "export/ImageFormat.h"
#include "util/FileSetWrite.h"

#include <QList>
#include <QString>
#include <QStringList>

class CNacreformDoc;

// What an image set holds and how its files are named.
struct SImageSetOptions
{
    QList<double> scales = {1, 2, 3};
    QList<EButtonState> states = AllButtonStates();
    QString name = QStringLiteral("button");
    QString pattern; // empty: kDefaultFileNamePattern
    // The formats written, each file name with the pattern's extension
    // replaced by the format's. Empty: the one format the pattern's
    // extension names. A vector format is written once per state, with the
    // scale placeholders empty.
    QList<EImageFormat> formats;
    // One sheet per raster format and scale with the states stacked, plus
    // NAME.css and the demo page NAME.html, instead of one image per state
    // and scale. The style sheet uses the sheets of the first raster format.
    bool sprite = false;
};

// The scales the set dialog offers.
const QList<double>& OfferedExportScales();

// The file names the set writes into its folder, in writing order: for
// each format each state at each scale (states first), or each scale's
// sprite sheet, and then the style sheet and its demo page. Empty, with the
// reason in why, when the options make no set: no scale or no state, a
// scale outside 0.25 ... 8, an empty name or one with a control
// character, a pattern whose extension names no format while none is
// chosen, sprite sheets without a raster format, a file name that is no
// plain name in the folder, or two files under one name (a pattern without
// the state or the scale while several are chosen).
QStringList PlanImageSet(const SImageSetOptions& options, QString* why);

// The planned set's files in folder, each made from design when it is
// written (design must outlive the writing); the options must make a set.
QList<SPlannedFile> ImageSetFiles(const CNacreformDoc& design, const SImageSetOptions& options,
                                  const QString& folder);

// Renders design's set and writes it into folder as one set of files: all
// of them or, on any failure, none (see WriteFileSet). The design's
// picture cache is brought up to date first (on this thread). Files that
// may not be written (see COutputFolder: one of inputs, the design's file
// or picture, a link out of the folder, two names of one file) are refused
// first, and so is an unusable plan: the failure's one line. Temporary
// files that killed runs left in folder are removed.
SFileSetOutcome WriteImageSet(CNacreformDoc& design, const SImageSetOptions& options, const QString& folder,
                              const QStringList& inputs = {});
