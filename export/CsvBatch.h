#pragma once

#include "export/CsvReader.h"
#include "export/ImageSet.h"
#include "render/CaptionFit.h"

#include <QStringList>

#include <functional>
#include <optional>

class CNacreformDoc;

// A batch: one image, or one image set, per record of a CSV file. The
// header names the column "name" (the output's name) and any design keys;
// each row's values are applied over a copy of the design, as a design file
// would set them.
struct SBatchOptions
{
    // Scale of the single image of each row.
    double scale = 1;
    // When given, each row writes this set instead, named by the row.
    std::optional<SImageSetOptions> set;
    QString folder;
    // A batch is about many files: by default written with the fastest
    // compression.
    EPngCompression compression = EPngCompression::Fastest;
    // When set, each row's shape is fitted to that row's caption first.
    std::optional<SFitRequest> fit = std::nullopt;
    // Format of the single images, each named NAME and its extension.
    EImageFormat format = EImageFormat::Png;
};

struct SBatchReport
{
    int rows = 0;
    // "row 3: why", or a fault of the header that stopped the batch.
    QStringList failures;
    // "row 3 (ok): the caption is cut off ...": rows written, but not whole.
    QStringList warnings;
};

// Runs every row, on every core; a row that fails (a bad value, a picture
// that cannot be loaded, a name used before, a file that cannot be written)
// is reported and the others go on; a row whose caption or picture the
// canvas cuts off is written and warned about. progress, when given, hears the count
// of finished rows after each one, from one thread at a time.
SBatchReport RunBatch(const CNacreformDoc& design, const QList<SCsvRecord>& records, const SBatchOptions& options,
                      const std::function<void(int done, int total)>& progress = {});
