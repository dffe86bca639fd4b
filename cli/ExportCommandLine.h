#pragma once

#include <QStringList>

class CNacreformDoc;
class QCommandLineParser;

// The handling of the command line's options for scales, sets and batches
// (described with the others in the program's option table):
//   --scale S                     --export at scale S (0.25 ... 8)
//   --export-set DIR [--scales 1,2,3] [--states normal,hover,pressed,disabled]
//                    [--name NAME] [--pattern P] [--sprite]
//   --batch FILE.csv              one image (or, with --export-set, one set)
//                                 per row, into the current folder (or DIR)

// Whether any of these options is given.
bool HasExportOptions(const QCommandLineParser& parser);

// Runs them on doc (read and changed by the other options before): the
// process exit code, 0 when everything was written, 1 when something could
// not be (each failure printed), 2 for options that do not fit together.
int RunExportOptions(const QCommandLineParser& parser, CNacreformDoc& doc);
