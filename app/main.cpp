#include "cli/HeadlessExport.h"
#include "shell/Application.h"

// One program, several front ends: the command line when an option asks for
// it, else the editor.
int main(int argc, char* argv[])
{
    if (IsHeadlessInvocation(argc, argv))
        return RunHeadless(argc, argv);
    return RunApplication(argc, argv, CommandLineUsage);
}
