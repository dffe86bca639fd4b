#pragma once

#include "export/ImageSet.h"
#include "render/CaptionFit.h"

#include <QByteArrayView>
#include <QStringList>

#include <optional>

class CNacreformDoc;

// A batch: one image, or one image set, per record of a CSV file. The
// header names the column "name" (the output's name) and any design keys,
// each once; each row's values are applied over a copy of the design, as a
// design file would set them.
struct SBatchOptions
{
    // Scale of the single image of each row.
    double scale = 1;
    // When given, each row writes this set instead, named by the row.
    std::optional<SImageSetOptions> set;
    QString folder;
    // When set, each row's shape is fitted to that row's caption first.
    std::optional<SFitRequest> fit = std::nullopt;
    // Format of the single images, each named NAME and its extension.
    EImageFormat format = EImageFormat::Png;
    // Files the run reads besides the design's (the CSV file): no row may
    // write over one of them.
    QStringList inputs;
};

// What a batch tells while it runs: a row by the line of the CSV file it
// starts on. Called from one thread at a time.
class IBatchEvents
{
public:
    virtual ~IBatchEvents() = default;
    virtual void RowFailed(int line, const QString& why) = 0;
    // Every file of a row is in place: their paths.
    virtual void RowWritten(const QStringList& paths) = 0;
    // A row written whose caption or picture the canvas cuts off.
    virtual void RowCutOff(int line, const QString& name, const QString& what) = 0;
    virtual void RowsDone(int done, int total) = 0;
};

struct SBatchReport
{
    int rows = 0;
    int failedRows = 0;
    // Why the batch wrote nothing: a fault of the file or its header, no
    // rows, or files of rows that may not be written (two rows' files that
    // are one, a link out of the folder, one of the run's inputs).
    QString refused;
};

// Plans every row's files first and refuses the batch, writing nothing,
// when they may not all be written. Then runs every row, on every core; a
// row that fails (a bad value, a picture that cannot be loaded, a file that
// cannot be written) is told of at once and the others go on; a row whose
// caption or picture the canvas cuts off is written and told of. Memory stays
// the same for any number of rows, besides one entry for each planned file
// of the rows that can be run. Temporary files that killed runs left in the
// folder are removed.
SBatchReport RunBatch(const CNacreformDoc& design, QByteArrayView csv, const SBatchOptions& options,
                      IBatchEvents& events);
