#pragma once

// The command line that works without a window or display
// (--export, --set, --save, --help).
bool IsHeadlessInvocation(int argc, char* argv[]);
int RunHeadless(int argc, char* argv[]);
