#pragma once

// The command line of the render server:
//   nacreform --serve [ADDRESS:]PORT [--cache-size BYTES] [--picture-dir DIR] [--quiet]
// (the options are described in the program's option table).

// Reads the server's options and runs it; the process exit code, 2 for
// unusable arguments (any option of another front end among them).
int RunServeCommandLine(int argc, char* argv[]);
