#pragma once

#include "export/ImageFormat.h"
#include "export/ImageSet.h"
#include "render/CaptionFit.h"

#include <QString>
#include <QStringList>

#include <optional>

class CNacreformDoc;
class QCommandLineParser;

// The handling of the command line's options for images, scales, sets and
// batches (described with the others in the program's option table):
//   --export OUT [--format F]     one image; F, else OUT's extension, names
//                                 the format; OUT "-" is standard output
//   --scale S                     --export at scale S (0.25 ... 8)
//   --export-set DIR [--scales 1,2,3] [--states normal,hover,pressed,disabled]
//                    [--formats png,svg,...] [--name NAME] [--pattern P] [--sprite]
//   --batch FILE.csv              one image (or, with --export-set, one set)
//                                 per row, into the current folder (or DIR)
//   --verbose                     lists the files a set or a batch wrote

// What they ask for, read and checked before anything is read or written.
struct SExportRequest
{
    QString exportPath; // empty: no single image
    EImageFormat format = EImageFormat::Png;
    double scale = 1;
    std::optional<SImageSetOptions> set;
    QString folder;    // of the set or the batch
    QString batchFile; // empty: no batch
    // The files the run reads (the design, the batch file), which no file
    // it writes may replace.
    QStringList inputs;
    // Whether the files a set or a batch wrote are listed.
    bool listWritten = false;
    // The fit asked for, which a batch makes for each row (the other options
    // find the design fitted already).
    std::optional<SFitRequest> batchFit;
};

// Whether any of these options is given.
bool HasExportOptions(const QCommandLineParser& parser);

// Reads them into request; false, with the reason printed, for options that
// do not fit together or a value that is unusable (exit code 2). Nothing is
// written then.
bool ReadExportOptions(const QCommandLineParser& parser, SExportRequest& request);

// Runs request on doc (read and changed by the other options before): the
// process exit code, 0 when everything was written, 1 when something could
// not be (each failure printed). Batch rows whose caption or picture the
// canvas cuts off are warned about.
int RunExportOptions(const SExportRequest& request, CNacreformDoc& doc);
