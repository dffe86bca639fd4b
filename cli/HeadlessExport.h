#pragma once

#include <QString>

// The command line that works without a window or display: renders a design
// (or the default one, or a preset) to an image file, optionally changes
// parameters and fits the shape to its caption first and saves the resulting
// design. Warns about a caption or picture the canvas cuts off.
//
//   nacreform --export OUT.png [--format F] [--scale S] [--preset NAME] [--set KEY=VALUE]...
//             [--fit[=PADX[,PADY]]] [--save OUT.nfd] [--] [DESIGN.nfd]
//   nacreform --help | --version | --list-presets
// The options are listed in CommandLineOptions.h.

// True when the arguments ask for the command line rather than the editor:
// any option of CommandLineOptions() before a "--".
bool IsHeadlessInvocation(int argc, char* argv[]);

// The full usage text, as --help prints it.
QString CommandLineUsage();

// Runs the command line; the process exit code: 0 on success, 1 when the
// design cannot be read, a --set is malformed (a colour in no known form
// among them), the caption cannot be fitted, the bitmap cannot be
// allocated or a file cannot be written, 2 for unusable arguments (among
// them --export or --save given twice, or a file name whose extension names
// no format), in which case nothing is written.
int RunHeadless(int argc, char* argv[]);
