#pragma once

#include "export/ButtonStates.h"
#include "export/ImageFormat.h"

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
// scale outside 0.25 ... 8, a pattern whose extension names no format
// while none is chosen, sprite sheets without a raster format, a file name
// that is no plain name in the folder, or two files under one name (a
// pattern without the state or the scale while several are chosen).
QStringList PlanImageSet(const SImageSetOptions& options, QString* why);

// Where a set's files are rendered: each on a core of its own while one is
// free, or one after the other on the calling thread (for a caller that
// already runs on every core, such as a batch: Qt's pool would wait for
// itself).
enum class ESetThreads { EveryCore, CallingThread };

// Renders design's set and writes it into folder, each file through the
// atomic file write. The design's
// picture cache is brought up to date first (on this thread). The result
// lists what failed, one line a file ("ok@2x.png: why"); empty when every
// file was written. An unusable plan writes nothing and is its one line.
QStringList WriteImageSet(CNacreformDoc& design, const SImageSetOptions& options, const QString& folder,
                          ESetThreads threads = ESetThreads::EveryCore);
