#include "app/FrontEndModule.h"
#include "cli/CommandLineOptions.h"
#include "cli/HeadlessExport.h"

// One program, several front ends: the render server or the command line
// when an option asks for it, else the editor. The command line is part of
// the program itself; the editor and the server are modules loaded only
// for them, so that a command-line run loads neither Qt Widgets nor the
// web server's libraries (a quarter of the processor time of an export).
int main(int argc, char* argv[])
{
    if (IsServeInvocation(argc, argv))
        return RunFrontEndModule("server", argc, argv);
    if (IsHeadlessInvocation(argc, argv))
        return RunHeadless(argc, argv);
    return RunFrontEndModule("editor", argc, argv);
}
