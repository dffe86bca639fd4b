#pragma once

// Runs a front end that lives in a module of its own, loaded only when it is
// asked for: name "editor" is the file nacreform-editor.so in the program's
// module folder. The module's NacreformFrontEndMain gets the arguments; its
// result is the exit code. A module that cannot be loaded is reported on
// standard error with the system's reason, and the exit code is 1.
int RunFrontEndModule(const char* name, int argc, char* argv[]);

// What a front-end module defines: its main function.
using FrontEndMain = int(int argc, char* argv[]);
