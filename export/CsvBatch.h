#pragma once

#include "export/CsvReader.h"
#include "export/ImageSet.h"

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
    // Scale of the single image NAME.png of each row.
    double scale = 1;
    // When given, each row writes this set instead, named by the row.
    std::optional<SImageSetOptions> set;
    QString folder;
};

struct SBatchReport
{
    int rows = 0;
    // "row 3: why", or a fault of the header that stopped the batch.
    QStringList failures;
};

// Runs every row, on every core; a row that fails (a bad value, a picture
// that cannot be loaded, a name used before, a file that cannot be written)
// is reported and the others go on. progress, when given, hears the count
// of finished rows after each one, from one thread at a time.
SBatchReport RunBatch(const CNacreformDoc& design, const QList<SCsvRecord>& records, const SBatchOptions& options,
                      const std::function<void(int done, int total)>& progress = {});
