#include "cli/HeadlessExport.h"
#include "cli/ServeCommandLine.h"
#include "shell/Application.h"

// One program, several front ends: the render server or the command line
// when an option asks for it, else the editor.
int main(int argc, char* argv[])
{
    if (IsServeInvocation(argc, argv))
        return RunServeCommandLine(argc, argv);
    if (IsHeadlessInvocation(argc, argv))
        return RunHeadless(argc, argv);
    return RunApplication(argc, argv, CommandLineUsage);
}
