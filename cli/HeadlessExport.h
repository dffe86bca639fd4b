#pragma once

#include <QString>

// The command line that works without a window or display: renders a design
// (or the default one) to PNG, optionally changes parameters first and saves
// the resulting design.
//
//   nacreform --export OUT.png [--scale S] [--set KEY=VALUE]... [--save OUT.nfd] [--] [DESIGN.nfd]
//   nacreform --help | --version
// The options are listed in CommandLineOptions.h.

// True when the arguments ask for the command line rather than the editor:
// any option of CommandLineOptions() before a "--".
bool IsHeadlessInvocation(int argc, char* argv[]);

// The full usage text, as --help prints it.
QString CommandLineUsage();

// Runs the command line; the process exit code: 0 on success, 1 when the
// design cannot be read, a --set is malformed, the bitmap cannot be
// allocated or a file cannot be written, 2 for unusable arguments (among
// them --export or --save given twice).
int RunHeadless(int argc, char* argv[]);
